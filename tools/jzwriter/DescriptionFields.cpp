#include "tools/jzwriter/DescriptionFields.h"

#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/TextEncoding.h"

namespace jz {

namespace {

using nlohmann::json;

std::string fieldName(const std::string& where, const char* key) {
    return where + "." + key;
}

std::int64_t checkedInt(const json& v, const std::string& name, std::int64_t min,
                        std::int64_t max) {
    if (!v.is_number_integer()) {
        throw CompileError(name + ": expected an integer, got " + v.dump());
    }
    std::int64_t value = v.is_number_unsigned() && v.get<std::uint64_t>() > INT64_MAX
                             ? INT64_MAX
                             : v.get<std::int64_t>();
    if (value < min || value > max) {
        throw CompileError(name + ": " + v.dump() + " lies outside " + std::to_string(min) + ".." +
                           std::to_string(max));
    }
    return value;
}

}  // namespace

void requireKnownFields(const json& obj, std::initializer_list<std::string_view> known,
                        const std::string& where) {
    if (!obj.is_object()) {
        throw CompileError(where + ": expected an object");
    }
    for (const auto& item : obj.items()) {
        bool ok = false;
        for (std::string_view k : known) {
            ok = ok || item.key() == k;
        }
        if (!ok) {
            throw CompileError(where + ": unknown field \"" + item.key() + "\"");
        }
    }
}

std::int64_t intField(const json& obj, const char* key, const std::string& where, std::int64_t min,
                      std::int64_t max, std::int64_t fallback) {
    if (!obj.contains(key)) {
        return fallback;
    }
    return checkedInt(obj.at(key), fieldName(where, key), min, max);
}

std::int64_t requiredInt(const json& obj, const char* key, const std::string& where,
                         std::int64_t min, std::int64_t max) {
    if (!obj.contains(key)) {
        throw CompileError(fieldName(where, key) + ": missing");
    }
    return checkedInt(obj.at(key), fieldName(where, key), min, max);
}

bool boolField(const json& obj, const char* key, const std::string& where, bool fallback) {
    if (!obj.contains(key)) {
        return fallback;
    }
    const json& v = obj.at(key);
    if (!v.is_boolean()) {
        throw CompileError(fieldName(where, key) + ": expected true or false");
    }
    return v.get<bool>();
}

std::string textField(const json& obj, const char* key, const std::string& where,
                      std::string_view fallback) {
    if (!obj.contains(key)) {
        return toCp1250(fallback, fieldName(where, key));
    }
    const json& v = obj.at(key);
    if (!v.is_string()) {
        throw CompileError(fieldName(where, key) + ": expected a text");
    }
    return toCp1250(v.get<std::string>(), fieldName(where, key));
}

std::string requiredText(const json& obj, const char* key, const std::string& where) {
    if (!obj.contains(key)) {
        throw CompileError(fieldName(where, key) + ": missing");
    }
    return textField(obj, key, where);
}

std::string idField(const json& obj, const char* key, const std::string& where) {
    if (!obj.contains(key) || !obj.at(key).is_string()) {
        throw CompileError(fieldName(where, key) + ": expected an id");
    }
    return obj.at(key).get<std::string>();
}

const json& arrayField(const json& obj, const char* key, const std::string& where) {
    static const json kEmpty = json::array();
    if (!obj.contains(key)) {
        return kEmpty;
    }
    const json& v = obj.at(key);
    if (!v.is_array()) {
        throw CompileError(fieldName(where, key) + ": expected an array");
    }
    return v;
}

}  // namespace jz
