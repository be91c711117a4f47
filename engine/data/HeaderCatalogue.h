#pragma once
// The header catalogue: one entry per timetable file found by the caller, with its header and,
// while some loaded set uses it, the loaded file. The catalogue index names a file across the
// library boundary.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/data/TimetableHeader.h"

namespace trasovnik {

class cJizdniRad;
class TimetableFileReader;

struct cPolozkaKatalogu {
    cHlavicka header;
    // The loaded file while loaded sets use it (useCount > 0), else empty.
    std::shared_ptr<cJizdniRad> loaded;
    // Set when the last scan listed this file.
    std::uint8_t found = 0;
    // Number of loaded sets that use the loaded file.
    std::uint32_t useCount = 0;
};

class cKatalogHlavicek {
public:
    // Opens a reader for reading a header; none when the file does not open, is shorter than
    // the container header or has a wrong magic. Other failures pass on.
    static std::unique_ptr<TimetableFileReader> openFile(std::string_view path);

    // Rebuilds the catalogue from the given paths: entries in use are kept, every readable
    // file is added once (equal title and identifier count as the same timetable), and the
    // entries are sorted by sort key, then by second text. Returns the number of entries.
    std::size_t nactiHlavicky(const std::vector<std::string>& paths);

    std::size_t size() const { return entries_.size(); }
    // ENGINE_EXC_INDEX when i is out of range.
    const cHlavicka& getHeader(std::size_t i) const;
    std::uint8_t getFlag(std::size_t i) const;
    cPolozkaKatalogu& entry(std::size_t i);
    const cPolozkaKatalogu& entry(std::size_t i) const;

private:
    // Whether an entry for the same timetable is there; marks it found when it is.
    bool markExisting(const cHlavicka& header);

    std::vector<cPolozkaKatalogu> entries_;
};

}  // namespace trasovnik
