#include "app/core/IniText.h"

#include "app/core/Cp1250.h"
#include "app/core/TextConversion.h"

#include <fstream>
#include <iterator>
#include <limits>

namespace pelorvant {
namespace {

// An update-information file is a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kMaxFileBytes = 16u * 1024u * 1024u;

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(cp1250Lower(static_cast<std::uint8_t>(c)));
    }
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The next line of the text from pos: it ends at CR, LF or CRLF, or at the end of the data.
std::string_view nextLine(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
        ++end;
    }
    pos = end;
    if (pos < text.size() && text[pos] == '\r') {
        ++pos;
    }
    if (pos < text.size() && text[pos] == '\n') {
        ++pos;
    }
    return text.substr(start, end - start);
}

}  // namespace

IniText::IniText(std::filesystem::path file0, std::filesystem::path file1)
    : files_{std::move(file0), std::move(file1)} {}

void IniText::parseFile(int n) {
    const int index = n == 1 ? 1 : 0;
    lists_[index].clear();
    std::error_code ec;
    const auto size = std::filesystem::file_size(files_[index], ec);
    if (ec || size > kMaxFileBytes) {
        return;
    }
    std::ifstream in(files_[index], std::ios::binary);
    if (!in) {
        return;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    parseBytes(index, bytes);
}

void IniText::parseBytes(int n, std::string_view bytes) {
    auto& list = lists_[n == 1 ? 1 : 0];
    list.clear();
    std::optional<std::string> openSection;
    bool sectionAdded = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::string_view line = nextLine(bytes, pos);
        // A one-character name in brackets ("[x]") is no section line.
        if (line.size() > 3 && line.front() == '[' && line.back() == ']') {
            openSection = lowered(line.substr(1, line.size() - 2));
            sectionAdded = false;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !openSection) {
            continue;
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        // The engine's pairs hold 16-bit lengths; longer keys or values are no pairs of ours.
        constexpr std::size_t kMaxPart = std::numeric_limits<std::uint16_t>::max();
        if (key.empty() || value.empty() || key.size() > kMaxPart || value.size() > kMaxPart) {
            continue;
        }
        if (!sectionAdded) {
            list.push_back(IniTextSection{*openSection, {}});
            sectionAdded = true;
        }
        list.back().pairs.push_back(IniTextPair{lowered(key), std::string(value), std::string(key)});
    }
}

const IniTextSection* IniText::findSection(std::string_view section) const {
    const std::string name = lowered(section);
    for (const auto& s : lists_[0]) {
        if (s.name == name) {
            return &s;
        }
    }
    return nullptr;
}

std::string IniText::getValue(std::string_view section, std::string_view key, std::string_view fallback) const {
    if (const IniTextSection* s = findSection(section)) {
        const std::string wanted = lowered(key);
        for (const auto& pair : s->pairs) {
            if (pair.key == wanted) {
                return pair.value;
            }
        }
    }
    return std::string(fallback);
}

std::int32_t IniText::getInt(std::string_view section, std::string_view key, std::int32_t fallback) const {
    const std::string marker(1, '\0');
    const std::string value = getValue(section, key, marker);
    if (value == marker) {
        return fallback;
    }
    std::size_t i = 0;
    const bool negative = i < value.size() && value[i] == '-';
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        ++i;
    }
    if (i >= value.size() || value[i] < '0' || value[i] > '9') {
        return fallback;
    }
    std::int64_t number = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        number = number * 10 + (value[i] - '0');
        if (number > std::numeric_limits<std::int32_t>::max()) {
            return fallback;
        }
    }
    return static_cast<std::int32_t>(negative ? -number : number);
}

std::vector<IniTextPair> IniText::getSection(std::string_view section) const {
    const IniTextSection* s = findSection(section);
    return s ? s->pairs : std::vector<IniTextPair>{};
}

std::u16string iniTextGetString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                                const IniText& ini) {
    return fromNarrowString(ini.getValue(toNarrowString(section), toNarrowString(key), toNarrowString(fallback)));
}

std::int32_t iniTextGetInt(std::u16string_view section, std::u16string_view key, std::int32_t fallback,
                           const IniText& ini) {
    return ini.getInt(toNarrowString(section), toNarrowString(key), fallback);
}

void iniTextGetSection(std::u16string_view section, std::vector<std::u16string>& keys,
                       std::vector<std::u16string>& values, const IniText& ini) {
    keys.clear();
    values.clear();
    for (const auto& pair : ini.getSection(toNarrowString(section))) {
        keys.push_back(fromNarrowString(pair.keyAsWritten));
        values.push_back(fromNarrowString(pair.value));
    }
}

}  // namespace pelorvant
