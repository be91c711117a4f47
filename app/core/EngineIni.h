#pragma once
// The engine's INI store as the program sees it: section, key and texts in the program's
// strings, converted to the engine's text on the way. A failing engine call reads as the
// default and writes report false; nothing here throws.
#include "app/core/EngineBinding.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pelorvant {

class EngineIni {
public:
    // api must outlive the object.
    explicit EngineIni(const EngineApi& api) : api_(api) {}

    std::u16string readString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view defaultValue) const;
    bool writeString(std::u16string_view section, std::u16string_view key, std::u16string_view value) const;
    std::int32_t readInt(std::u16string_view section, std::u16string_view key, std::int32_t defaultValue) const;
    bool writeInt(std::u16string_view section, std::u16string_view key, std::int32_t value) const;
    bool readBool(std::u16string_view section, std::u16string_view key, bool defaultValue) const;
    bool writeBool(std::u16string_view section, std::u16string_view key, bool value) const;
    bool removeKey(std::u16string_view section, std::u16string_view key) const;
    // Writes the store to its file; false when that failed.
    bool flush() const;
    // Where the store's file was kept aside when the engine read it, being too large to be
    // written back; empty when it was not.
    std::u16string setAside() const;

private:
    const EngineApi& api_;
};

}  // namespace pelorvant
