#include "engine/data/IniSectionList.h"

#include "engine/data/Cp1250Text.h"

namespace trasovnik {
namespace {

std::string lowered(std::string_view s) {
    std::string out(s);
    lowercaseInPlace(out);
    return out;
}

}  // namespace

bool CollateLess::operator()(std::string_view a, std::string_view b) const {
    return collateCompare(a, b) < 0;
}

IniSectionList IniSectionList::parse(std::string_view text) {
    IniSectionList list;
    std::string section;
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
            ++end;
        }
        const std::string_view line = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size()) {
            // A CR may be followed by the LF of a CR LF pair; a lone CR or LF ends a line too.
            if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
                ++pos;
            }
            ++pos;
        }
        if (line.empty()) {
            continue;
        }
        if (line.size() >= 4 && line.front() == '[' && line.back() == ']') {
            section = lowered(line.substr(1, line.size() - 2));
            inSection = true;
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) {
            continue;
        }
        const std::string key = lowered(trimmedBlanks(line.substr(0, eq)));
        const std::string_view value = trimmedBlanks(line.substr(eq + 1));
        if (inSection && !key.empty() && !value.empty()) {
            list.set(section, key, value);
        }
    }
    return list;
}

const IniSectionList::Section* IniSectionList::findSection(std::string_view section) const {
    const auto it = index_.find(section);
    return it == index_.end() ? nullptr : &sections_[it->second];
}

const std::string* IniSectionList::findValue(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (s == nullptr) {
        return nullptr;
    }
    const auto it = s->index.find(key);
    return it == s->index.end() ? nullptr : &s->keys[it->second].value;
}

void IniSectionList::set(std::string_view section, std::string_view key, std::string_view value) {
    auto sit = index_.find(section);
    if (sit == index_.end()) {
        Section fresh;
        fresh.name = std::string(section);
        sections_.push_back(std::move(fresh));
        sit = index_.emplace(std::string(section), sections_.size() - 1).first;
    }
    Section& s = sections_[sit->second];
    const auto kit = s.index.find(key);
    if (kit != s.index.end()) {
        s.keys[kit->second].value = std::string(value);
        return;
    }
    s.keys.push_back(IniKey{std::string(key), std::string(value)});
    s.index.emplace(std::string(key), s.keys.size() - 1);
}

bool IniSectionList::removeKey(std::string_view section, std::string_view key) {
    const auto sit = index_.find(section);
    if (sit == index_.end()) {
        return false;
    }
    Section& s = sections_[sit->second];
    const auto kit = s.index.find(key);
    if (kit == s.index.end()) {
        return false;
    }
    const std::size_t at = kit->second;
    s.keys.erase(s.keys.begin() + static_cast<std::ptrdiff_t>(at));
    s.index.erase(kit);
    for (auto& entry : s.index) {
        if (entry.second > at) {
            --entry.second;
        }
    }
    // A section without keys would not read back from the file, so it goes with its last key.
    if (s.keys.empty()) {
        sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(sit->second));
        reindexSections();
    }
    return true;
}

bool IniSectionList::removeSection(std::string_view section) {
    const auto sit = index_.find(section);
    if (sit == index_.end()) {
        return false;
    }
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(sit->second));
    reindexSections();
    return true;
}

void IniSectionList::reindexSections() {
    index_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        index_.emplace(sections_[i].name, i);
    }
}

std::size_t IniSectionList::textSize() const {
    std::size_t size = 0;
    for (const Section& s : sections_) {
        size += s.name.size() + 4 + 2;
        for (const IniKey& k : s.keys) {
            size += k.name.size() + k.value.size() + 6;
        }
    }
    return size;
}

IniSectionList IniSectionList::firstPart(std::size_t maxTextBytes) const {
    IniSectionList part;
    std::size_t size = 0;
    for (const Section& s : sections_) {
        // A section costs its header and empty line with its first key.
        std::size_t header = s.name.size() + 4 + 2;
        for (const IniKey& k : s.keys) {
            const std::size_t cost = header + k.name.size() + k.value.size() + 6;
            if (size + cost > maxTextBytes) {
                return part;
            }
            size += cost;
            header = 0;
            part.set(s.name, k.name, k.value);
        }
    }
    return part;
}

std::string IniSectionList::format() const {
    std::string out;
    out.reserve(textSize());
    for (const Section& s : sections_) {
        out += '[';
        out += s.name;
        out += "]\r\n";
        for (const IniKey& k : s.keys) {
            out += "   ";
            out += k.name;
            out += '=';
            out += k.value;
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

bool IniSectionList::operator==(const IniSectionList& other) const {
    if (sections_.size() != other.sections_.size()) {
        return false;
    }
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (sections_[i].name != other.sections_[i].name ||
            sections_[i].keys != other.sections_[i].keys) {
            return false;
        }
    }
    return true;
}

}  // namespace trasovnik
