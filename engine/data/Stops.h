#pragma once
// The stops of a timetable file: towns, stop groups, walking links between stops of the file,
// links to stops of other timetables, the stop records, the key table and the coordinates.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trasovnik {

class TimetableFileReader;
class cNazvy;

struct cSkupinaZastavek {
    std::uint32_t nameReference = 0;
    std::int8_t value = 0;
};

// A walking link to another stop of the same timetable.
struct cPesiPrechod {
    std::uint16_t stop = 0;
    std::uint8_t minutes = 0;
};

// A link to a stop of another timetable, named by its key there.
struct cOdkazZastavky {
    std::uint32_t key = 0;
    std::uint8_t value = 0;  // walking minutes
    std::uint32_t town = 0;  // index in the town table
};

struct cZastavka {
    std::uint32_t nameReference = 0;
    std::uint16_t passageCount = 0;
    std::uint16_t kind = 0;  // low 7 bits: stop-group index
    std::uint16_t walkCount = 0;
    std::uint16_t town = 0;  // index in the town table, kNoTown when none
    std::uint16_t firstWalk = 0;
    std::uint8_t reserved = 0;
    std::uint32_t firstLink = 0;
    std::uint8_t linkCount = 0;
};

struct cPoloha {
    double latitude = 0;
    double longitude = 0;
};

// One stop near a point.
struct cZastavkaVOkoli {
    std::uint8_t kind = 255;
    std::uint16_t stop = 0;
    double metres = 0;
    std::int32_t value = -1;
};

class cZastavky {
public:
    static constexpr std::uint16_t kNoStop = 0xFFFF;
    static constexpr std::uint16_t kNoTown = 0xFFFF;
    // Marks the stops' note attachments after the coordinates ("STPN"); files without the
    // table have no stop notes.
    static constexpr std::uint32_t kStopNotesTag = 0x5354504E;
    // Group values are the group's signed byte times this.
    static constexpr int kGroupMultiplier = 15;

    // Reads the stops section. References of towns and stops are checked against `names`;
    // town, walking-link, link and key-table indexes against their tables (ENGINE_EXC_INDEX).
    // Coordinates are present only in files of version 3.2 and later.
    void read(TimetableFileReader& reader, const cNazvy& names);

    std::size_t stopCount() const { return stops_.size(); }
    std::size_t townCount() const { return towns_.size(); }
    std::size_t groupCount() const { return groups_.size(); }
    // ENGINE_EXC_INDEX for an index out of range, here and below.
    const cZastavka& stop(std::size_t s) const;

    std::string_view name(const cNazvy& names, std::size_t s) const;
    std::string_view townName(const cNazvy& names, std::size_t town) const;
    // The stop's town index, kNoTown when it has none.
    std::uint16_t townOf(std::size_t s) const { return stop(s).town; }
    std::size_t groupIndex(std::size_t s) const { return stop(s).kind & 0x7F; }
    // The group's signed byte times the multiplier.
    int groupValue(std::size_t s) const;
    // The group's name, none when its reference lies outside the name block.
    std::optional<std::string_view> groupName(const cNazvy& names, std::size_t s) const;
    std::uint16_t passageCount(std::size_t s) const { return stop(s).passageCount; }
    // The attachment index (in the notes section) of the stop's notes; none when the
    // file carries no stop notes.
    std::optional<std::uint32_t> noteAttachment(std::size_t s) const;
    // Raises ENGINE_EXC_INDEX unless every stop's attachment lies below `attachmentCount`.
    void checkNoteAttachments(std::size_t attachmentCount) const;
    std::span<const cPesiPrechod> walkingLinks(std::size_t s) const;
    std::span<const cOdkazZastavky> links(std::size_t s) const;

    bool hasCoordinates() const { return hasCoordinates_; }
    // Both zero when the file has no coordinates.
    cPoloha position(std::size_t s) const;

    // The stop whose key this is, kNoStop when absent.
    std::uint16_t findByKey(std::uint32_t key) const;

    // Stops with a position whose distance from the point is below `limitMetres`, in stop
    // order; empty when the file has no coordinates.
    std::vector<cZastavkaVOkoli> stopsWithin(double latitude, double longitude,
                                             double limitMetres) const;

    const std::vector<std::uint32_t>& groupValueList() const { return groupValueList_; }
    const std::vector<cSkupinaZastavek>& groups() const { return groups_; }
    const std::vector<std::uint32_t>& towns() const { return towns_; }

private:
    void readNoteAttachments(TimetableFileReader& reader);

    std::vector<std::uint32_t> towns_;
    std::vector<std::uint32_t> groupValueList_;
    std::vector<cSkupinaZastavek> groups_;
    std::vector<cPesiPrechod> walks_;
    std::vector<cOdkazZastavky> links_;
    std::vector<cZastavka> stops_;
    std::vector<std::uint32_t> keys_;
    std::vector<std::uint16_t> keyStops_;
    bool hasCoordinates_ = false;
    std::vector<cPoloha> positions_;
    std::vector<std::uint32_t> noteAttachments_;  // one per stop, or empty
};

}  // namespace trasovnik
