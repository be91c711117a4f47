// Parses arbitrary bytes as downloaded update information. Besides memory errors it checks the
// parser's promises: every kept section has pairs, every pair has a non-empty key and value
// with no line end inside, and the lookups follow their rule: a name gives the first section
// of that name, and a key the first pair of that key in it, so a key that only a later section
// of a repeated name holds is not found.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/core/IniText.h"

namespace {

const pelorvant::IniTextSection& firstOfName(const pelorvant::IniText& ini, const std::string& name) {
    for (const auto& s : ini.sections(0)) {
        if (s.name == name) {
            return s;
        }
    }
    std::abort();
}

const std::string* firstValue(const pelorvant::IniTextSection& section, const std::string& key) {
    for (const auto& pair : section.pairs) {
        if (pair.key == key) {
            return &pair.value;
        }
    }
    return nullptr;
}

bool samePairs(const std::vector<pelorvant::IniTextPair>& a, const std::vector<pelorvant::IniTextPair>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].key != b[i].key || a[i].value != b[i].value || a[i].keyAsWritten != b[i].keyAsWritten) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    pelorvant::IniText ini("");
    ini.parseBytes(0, bytes);
    for (const auto& section : ini.sections(0)) {
        if (section.pairs.empty()) {
            std::abort();
        }
        const pelorvant::IniTextSection& first = firstOfName(ini, section.name);
        if (!samePairs(ini.getSection(section.name), first.pairs)) {
            std::abort();
        }
        for (const auto& pair : section.pairs) {
            if (pair.key.empty() || pair.value.empty() || pair.value.find_first_of("\r\n") != std::string::npos) {
                std::abort();
            }
            // Values are never empty, so an empty fallback tells "not found" apart.
            const std::string found = ini.getValue(section.name, pair.key, std::string_view());
            const std::string* expected = firstValue(first, pair.key);
            if (expected != nullptr ? found != *expected : !found.empty()) {
                std::abort();
            }
            ini.getInt(section.name, pair.key, 0);
        }
    }
    return 0;
}
