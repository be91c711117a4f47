#pragma once
// Texts of a feed made fit for a timetable file: characters that Windows-1250 lacks become
// their nearest Latin letters (à -> a, ø -> o, æ -> ae) or "?", and every replacement is
// recorded so that the importer can report it; nothing is dropped silently.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace gtfs2jz {

struct Replacement {
    std::string with;
    std::size_t count = 0;
    std::string firstPlace;  // where it was first seen, e.g. "stops.txt stop_name of \"S1\""
};

class Transliterator {
public:
    // The UTF-8 text with only characters that Windows-1250 holds. Malformed UTF-8 bytes are
    // replaced by "?" and recorded too.
    std::string operator()(std::string_view utf8, const std::string& place);

    // The replacements made, by the original character (UTF-8).
    const std::map<std::string, Replacement>& replacements() const { return made_; }
    // A readable report, one line per replaced character; empty when nothing was replaced.
    std::string report() const;

private:
    bool inCodePage(char32_t c);
    std::map<std::string, Replacement> made_;
    std::map<char32_t, bool> known_;
};

}  // namespace gtfs2jz
