#pragma once
// The line tables, read inside the trips section: line kinds (code, name, colour), line
// groups, lines (kind and group) and the lines' own names, from which a trip's display line
// name is made.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trasovnik {

class TimetableFileReader;
class cNazvy;
class cVazbyPoznamek;

struct cDruhLinky {
    std::uint32_t code = 0;
    std::string name;
    std::uint32_t colour = 0;
};

struct cLinka {
    std::uint8_t kind = 0;
    std::uint16_t group = 0;
};

class cLinky {
public:
    // Reads the line tables; names are taken from `names` (ENGINE_EXC_INDEX for a reference
    // outside it), kind and group indexes are checked against their tables.
    void read(TimetableFileReader& reader, const cNazvy& names);

    std::size_t kindCount() const { return kinds_.size(); }
    std::size_t groupCount() const { return groups_.size(); }
    std::size_t lineCount() const { return lines_.size(); }
    std::size_t lineNameCount() const { return lineNames_.size(); }
    // ENGINE_EXC_INDEX for an index out of range, here and below.
    const cDruhLinky& kind(std::size_t k) const;
    const std::string& groupName(std::size_t g) const;
    const cLinka& line(std::size_t l) const;
    const std::string& lineOwnName(std::size_t n) const;
    const std::string& kindNameOfLine(std::size_t l) const { return kind(line(l).kind).name; }

    // The display name: the line's kind name, group name and own name (lineNameIndex), each
    // followed by a space when not empty, then the mark of every remark attached at
    // `attachment`, each followed by a space; without the trailing space.
    std::string lineName(std::size_t l, std::size_t lineNameIndex, std::uint32_t attachment,
                         const cVazbyPoznamek& notes) const;

private:
    std::vector<cDruhLinky> kinds_;
    std::vector<std::string> groups_;
    std::vector<cLinka> lines_;
    std::vector<std::string> lineNames_;
};

}  // namespace trasovnik
