#pragma once
// The contents of one INI file as the store keeps them: sections in the order in which they
// were read or first written, each with its keys in order. Section and key names are held in
// lower case and looked up with the Czech collation compare. The list also reads and writes the
// store's text form:
//
//   "[" name "]" CR LF
//   "   " key "=" value CR LF      (one line per key)
//   CR LF                          (after the keys of every section)
//
// Reading is lenient, because a user may edit the file with any editor: lines end at CR LF, at
// a lone CR or at a lone LF; a missing final line end, empty lines, lines of any length and
// binary bytes are all accepted.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace trasovnik {

struct IniKey {
    std::string name;
    std::string value;
    bool operator==(const IniKey&) const = default;
};

// Orders names by collateCompare, so that a lookup finds exactly the names that compare equal.
struct CollateLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

class IniSectionList {
public:
    struct Section {
        std::string name;
        std::vector<IniKey> keys;
        std::map<std::string, std::size_t, CollateLess> index;  // key name -> position in keys
    };

    // Parses the text form (see above). A section appears with its first key: a header
    // followed by no key line leaves no section behind.
    static IniSectionList parse(std::string_view text);

    // Lookups take names that are already lowercased.
    const Section* findSection(std::string_view section) const;
    const std::string* findValue(std::string_view section, std::string_view key) const;

    // Replaces the key's value, or appends the key to its section, or appends a new section
    // holding the key. Names must be lowercased; no check is made here that the names can be
    // written (the store does that).
    void set(std::string_view section, std::string_view key, std::string_view value);
    // True when something was removed. Removing the last key of a section removes the section.
    bool removeKey(std::string_view section, std::string_view key);
    bool removeSection(std::string_view section);

    const std::vector<Section>& sections() const { return sections_; }
    bool empty() const { return sections_.empty(); }

    // Size of the text form in bytes.
    std::size_t textSize() const;
    // The leading keys in order, as many as fit in a text form of at most maxTextBytes; the
    // first key that does not fit ends the list.
    IniSectionList firstPart(std::size_t maxTextBytes) const;
    // The text form.
    std::string format() const;

    // Same sections in the same order with equal names, each with the same keys in the same
    // order with equal names and values.
    bool operator==(const IniSectionList& other) const;

private:
    void reindexSections();
    std::vector<Section> sections_;
    std::map<std::string, std::size_t, CollateLess> index_;  // section name -> position
};

}  // namespace trasovnik
