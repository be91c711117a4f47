#include "engine/data/IniStore.h"

#include <climits>
#include <optional>

#include "engine/data/Cp1250Text.h"

namespace trasovnik {
namespace {

bool hasLineEnd(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

std::string sectionName(std::string_view section) {
    std::string name(section);
    lowercaseInPlace(name);
    return name;
}

std::string keyName(std::string_view key) {
    std::string name(trimmedBlanks(key));
    lowercaseInPlace(name);
    return name;
}

// Decimal integer in the manner of the C library's conversion: white space, an optional sign,
// digits up to the first other character; 0 when there are none; saturating.
int parseDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
}

// Cuts text read up to a limit back to its last complete line, so that a value is never kept
// half.
std::string_view wholeLines(std::string_view text) {
    const auto lastEnd = text.find_last_of("\r\n");
    return lastEnd == std::string_view::npos ? std::string_view() : text.substr(0, lastEnd + 1);
}

// The name of the n-th place to keep the file aside: "<stem>-odlozeny[-n]<extension>" beside it.
std::string asideName(const std::string& file, int n) {
    const std::size_t slash = file.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = file.find_last_of('.');
    if (dot == std::string::npos || dot <= nameStart) {
        dot = file.size();
    }
    return file.substr(0, dot) + "-odlozeny" + (n > 1 ? "-" + std::to_string(n) : std::string()) +
           file.substr(dot);
}

}  // namespace

IniStore::IniStore(std::string mainFile, std::string tempFile, IniFileSystem& fs)
    : mainFile_(std::move(mainFile)), tempFile_(std::move(tempFile)), fs_(fs) {
    load();
}

void IniStore::reopen(std::string mainFile, std::string tempFile) {
    mainFile_ = std::move(mainFile);
    tempFile_ = std::move(tempFile);
    load();
}

void IniStore::load() {
    removeStaleCopy();
    dirty_ = false;
    oversizedInPlace_ = false;
    setAside_.clear();
    const std::optional<std::string> text = fs_.readFile(mainFile_, kMaxTextBytes + 1);
    if (!text) {
        sections_ = IniSectionList();
        return;
    }
    if (text->size() <= kMaxTextBytes) {
        sections_ = IniSectionList::parse(*text);
        return;
    }
    // Left as it is, no change would ever be saved: the store's text would not fit the file.
    sections_ = IniSectionList::parse(wholeLines(std::string_view(*text).substr(0, kMaxTextBytes)))
                    .firstPart(kMaxKeptBytes);
    oversizedInPlace_ = true;
    dirty_ = true;
    flush();
}

bool IniStore::keepOversizedAside() {
    constexpr int kNames = 100;
    for (int n = 1; n <= kNames; ++n) {
        const std::string name = asideName(mainFile_, n);
        if (fs_.keepAside(mainFile_, name)) {
            setAside_ = name;
            oversizedInPlace_ = false;
            return true;
        }
    }
    return false;
}

void IniStore::removeStaleCopy() {
    // The main file is whole either way (the copy is renamed over it only when complete); the
    // half copy of a program killed during a flush would otherwise stay for good.
    if (!mainFile_.empty()) {
        fs_.removeFile(copySiblingOf(mainFile_));
    }
}

IniSectionList IniStore::readList(const std::string& path, std::size_t maxBytes) const {
    const std::optional<std::string> text = fs_.readFile(path, maxBytes + 1);
    if (!text) {
        return IniSectionList();
    }
    if (text->size() > maxBytes) {
        return IniSectionList::parse(wholeLines(std::string_view(*text).substr(0, maxBytes)));
    }
    return IniSectionList::parse(*text);
}

std::string IniStore::readString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
    const std::string* value = sections_.findValue(sectionName(section), keyName(key));
    return value != nullptr ? *value : std::string(defaultValue);
}

std::vector<IniKey> IniStore::readSection(std::string_view section) const {
    const IniSectionList::Section* s = sections_.findSection(sectionName(section));
    return s != nullptr ? s->keys : std::vector<IniKey>();
}

int IniStore::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string* value = sections_.findValue(sectionName(section), keyName(key));
    if (value == nullptr || value->empty()) {
        return defaultValue;
    }
    return parseDecimal(*value);
}

bool IniStore::readBool(std::string_view section, std::string_view key, bool defaultValue) const {
    const int value = readInt(section, key, defaultValue ? 1 : 0);
    if (value == 1) {
        return true;
    }
    if (value == 0) {
        return false;
    }
    return defaultValue;
}

bool IniStore::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string name = keyName(key);
    const std::string_view text = trimmedBlanks(value);
    if (name.empty() || text.empty()) {
        return false;
    }
    // "[x]" would not read back as a section header, and a line end would split the line.
    if (section.size() < 2 || hasLineEnd(section) || hasLineEnd(name) ||
        name.find('=') != std::string::npos || hasLineEnd(text)) {
        return false;
    }
    sections_.set(sectionName(section), name, text);
    dirty_ = true;
    return true;
}

bool IniStore::writeInt(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

bool IniStore::writeBool(std::string_view section, std::string_view key, bool value) {
    return writeInt(section, key, value ? 1 : 0);
}

bool IniStore::removeKey(std::string_view section, std::string_view key) {
    if (!sections_.removeKey(sectionName(section), keyName(key))) {
        return false;
    }
    dirty_ = true;
    return true;
}

bool IniStore::removeSection(std::string_view section) {
    if (!sections_.removeSection(sectionName(section))) {
        return false;
    }
    dirty_ = true;
    return true;
}

bool IniStore::tooLarge() const {
    return sections_.textSize() > kMaxTextBytes;
}

bool IniStore::flush() {
    if (!dirty_) {
        return true;
    }
    // A larger text would not read back whole; refuse rather than cut it.
    if (tooLarge()) {
        return false;
    }
    // The oversized main file is kept whole before anything replaces it.
    if (oversizedInPlace_ && !keepOversizedAside()) {
        return false;
    }
    const std::string text = sections_.format();

    // 1. The temporary file must read back as the store.
    bool checked = false;
    for (int attempt = 0; attempt < kAttempts && !checked; ++attempt) {
        if (!fs_.writeFile(tempFile_, text)) {
            continue;
        }
        checked = readList(tempFile_, kMaxTextBytes) == sections_;
    }
    if (!checked) {
        return false;
    }

    // 2. Its copy must stand in place of the main file and read back as the store. The store's
    // own contents are kept whatever the main file reads as, so a failure loses nothing.
    for (int attempt = 0; attempt < kAttempts && dirty_; ++attempt) {
        if (!fs_.copyFile(tempFile_, mainFile_)) {
            continue;
        }
        if (readList(mainFile_, kMaxTextBytes) == sections_) {
            dirty_ = false;
        }
    }
    if (dirty_) {
        return false;
    }

    // 3. The settings are safe in the main file; a temporary file that cannot be deleted is
    // only left over and is written anew by the next flush.
    fs_.removeFile(tempFile_);
    return true;
}

}  // namespace trasovnik
