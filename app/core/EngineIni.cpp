#include "app/core/EngineIni.h"

#include "app/core/TextConversion.h"

namespace pelorvant {

std::u16string EngineIni::readString(std::u16string_view section, std::u16string_view key,
                                     std::u16string_view defaultValue) const {
    const std::string s = toNarrowString(section);
    const std::string k = toNarrowString(key);
    const std::string d = toNarrowString(defaultValue);
    char* raw = nullptr;
    std::int32_t length = 0;
    const std::int32_t status = api_.api_IniReadString(s.data(), engineLength(s), k.data(), engineLength(k),
                                                       d.data(), engineLength(d), &raw, &length);
    EngineOwned<char> value(raw);
    if (status != ENGINE_OK) return std::u16string(defaultValue);
    return fromNarrowString(value.get(), length);
}

bool EngineIni::writeString(std::u16string_view section, std::u16string_view key,
                            std::u16string_view value) const {
    const std::string s = toNarrowString(section);
    const std::string k = toNarrowString(key);
    const std::string v = toNarrowString(value);
    return api_.api_IniWriteString(s.data(), engineLength(s), k.data(), engineLength(k), v.data(),
                                   engineLength(v)) == ENGINE_OK;
}

std::int32_t EngineIni::readInt(std::u16string_view section, std::u16string_view key,
                                std::int32_t defaultValue) const {
    const std::string s = toNarrowString(section);
    const std::string k = toNarrowString(key);
    std::int32_t value = defaultValue;
    if (api_.api_IniReadInt(s.data(), engineLength(s), k.data(), engineLength(k), defaultValue, &value) != ENGINE_OK) {
        return defaultValue;
    }
    return value;
}

bool EngineIni::writeInt(std::u16string_view section, std::u16string_view key, std::int32_t value) const {
    const std::string s = toNarrowString(section);
    const std::string k = toNarrowString(key);
    return api_.api_IniWriteInt(s.data(), engineLength(s), k.data(), engineLength(k), value) == ENGINE_OK;
}

bool EngineIni::readBool(std::u16string_view section, std::u16string_view key, bool defaultValue) const {
    const std::string s = toNarrowString(section);
    const std::string k = toNarrowString(key);
    std::uint8_t value = defaultValue ? 1 : 0;
    if (api_.api_IniReadBool(s.data(), engineLength(s), k.data(), engineLength(k), value, &value) != ENGINE_OK) {
        return defaultValue;
    }
    return value != 0;
}

bool EngineIni::writeBool(std::u16string_view section, std::u16string_view key, bool value) const {
    const std::string s = toNarrowString(section);
    const std::string k = toNarrowString(key);
    return api_.api_IniWriteBool(s.data(), engineLength(s), k.data(), engineLength(k), value ? 1 : 0) == ENGINE_OK;
}

bool EngineIni::removeKey(std::u16string_view section, std::u16string_view key) const {
    const std::string s = toNarrowString(section);
    const std::string k = toNarrowString(key);
    return api_.api_IniRemoveKey(s.data(), engineLength(s), k.data(), engineLength(k)) == ENGINE_OK;
}

bool EngineIni::flush() const {
    return api_.api_IniFlush() == ENGINE_OK;
}

std::u16string EngineIni::setAside() const {
    char* raw = nullptr;
    std::int32_t length = 0;
    const std::int32_t status = api_.api_IniSetAside(&raw, &length);
    EngineOwned<char> name(raw);
    if (status != ENGINE_OK) return {};
    return fromNarrowString(name.get(), length);
}

}  // namespace pelorvant
