// Parses arbitrary bytes as downloaded update information. Besides memory errors it checks the
// parser's promises: every kept section has pairs, every pair has a non-empty key and value
// with no line end inside, and a lookup of each kept key finds a value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/core/IniText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    pelorvant::IniText ini("");
    ini.parseBytes(0, bytes);
    for (const auto& section : ini.sections(0)) {
        if (section.pairs.empty()) {
            std::abort();
        }
        for (const auto& pair : section.pairs) {
            if (pair.key.empty() || pair.value.empty() || pair.value.find_first_of("\r\n") != std::string::npos) {
                std::abort();
            }
            if (ini.getValue(section.name, pair.key, std::string_view()).empty()) {
                std::abort();
            }
            ini.getInt(section.name, pair.key, 0);
        }
    }
    return 0;
}
