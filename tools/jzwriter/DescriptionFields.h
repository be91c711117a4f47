#pragma once
// Checked access to the fields of a description object: every fault names where it is.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace jz {

// A CompileError unless `obj` is an object whose keys are all among `known`.
void requireKnownFields(const nlohmann::json& obj, std::initializer_list<std::string_view> known,
                        const std::string& where);

// An integer in [min, max]; `fallback` when the field is absent.
std::int64_t intField(const nlohmann::json& obj, const char* key, const std::string& where,
                      std::int64_t min, std::int64_t max, std::int64_t fallback);
// The same for a value that must be present.
std::int64_t requiredInt(const nlohmann::json& obj, const char* key, const std::string& where,
                         std::int64_t min, std::int64_t max);
bool boolField(const nlohmann::json& obj, const char* key, const std::string& where, bool fallback);
// A text converted to Windows-1250; `fallback` (UTF-8) when absent.
std::string textField(const nlohmann::json& obj, const char* key, const std::string& where,
                      std::string_view fallback = {});
std::string requiredText(const nlohmann::json& obj, const char* key, const std::string& where);
// The string id stored under `key`.
std::string idField(const nlohmann::json& obj, const char* key, const std::string& where);
// An array field (empty when absent).
const nlohmann::json& arrayField(const nlohmann::json& obj, const char* key,
                                 const std::string& where);

}  // namespace jz
