#pragma once
// A timetable file's own search defaults (they seed the search parameters of every set that
// loads the file) and its table of municipal SMS tickets, both read right after the header.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trasovnik {

class TimetableFileReader;
class cNazvy;

struct SearchDefaults {
    static constexpr std::int32_t kMaxResultConnections = 8;
    static constexpr std::int32_t kDefaultWalkingPace = 15;
    static constexpr std::int32_t kDefaultWalkingLimitCity = 10;
    static constexpr std::int32_t kDefaultWalkingLimitOther = 40;

    std::int32_t standardWindow = 0;  // minutes searched first
    std::int32_t maximumWindow = 0;   // minutes searched when the standard window found nothing
    std::int32_t maxResultConnections = kMaxResultConnections;
    std::uint8_t minimumTransfer = 0;  // minutes
    std::uint8_t safeTransfer = 0;     // minutes
    std::uint8_t transferPenalty = 0;
    // Two values kept with the file; the search does not use them.
    std::uint32_t furtherValue1 = 0;
    std::uint32_t furtherValue2 = 0;
    bool transferRequiredAtVia = false;
    bool useScMarking = false;
    std::int32_t defaultTransfers = 0;
    std::int32_t walkingPace = kDefaultWalkingPace;         // minutes per kilometre
    std::int32_t walkingLimit = kDefaultWalkingLimitOther;  // minutes from a point
};

struct cSmsJizdenka {
    std::uint32_t firstText = 0;  // name reference
    std::uint32_t priceHundredths = 0;
    std::uint32_t secondText = 0;  // name reference
    std::uint32_t thirdText = 0;   // name reference
};

class cSmsJizdenky {
public:
    void read(TimetableFileReader& reader);
    // The name block is read after the tickets; once it is there, every text reference of
    // the table is checked against it (ENGINE_EXC_INDEX).
    void checkReferences(const cNazvy& names) const;

    std::size_t count() const { return tickets_.size(); }
    // ENGINE_EXC_INDEX when i is out of range.
    const cSmsJizdenka& at(std::size_t i) const;

private:
    std::vector<cSmsJizdenka> tickets_;
};

// Reads defaults 1 to 10 and the section that follows them. Walking pace, walking limit and
// the SMS tickets are read from files of version 3.3 and later; older files keep the pace 15
// and the limit 10 (city files) or 40, and no tickets.
void readSearchDefaults(TimetableFileReader& reader, bool cityFile, SearchDefaults& defaults,
                        cSmsJizdenky& tickets);

}  // namespace trasovnik
