#include "engine/data/Stops.h"

#include "engine/data/CheckedReads.h"
#include "engine/data/EngineException.h"
#include "engine/data/Geography.h"
#include "engine/data/NameBlock.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

namespace {

void requireIndex(std::size_t index, std::size_t size) {
    if (index >= size) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
}

void requireRun(std::size_t first, std::size_t count, std::size_t size) {
    if (first > size || count > size - first) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
}

bool coordinatesInVersion(std::int32_t major, std::int32_t minor) {
    return major > 3 || (major == 3 && minor > 1);
}

}  // namespace

void cZastavky::read(TimetableFileReader& reader, const cNazvy& names) {
    reader.skipSection();

    towns_.resize(readCount(reader, 4));
    for (auto& ref : towns_) {
        ref = reader.readU32();
        names.checkReference(ref);
    }

    reader.skipSection();
    groupValueList_.resize(readCount(reader, 4));
    for (auto& v : groupValueList_) {
        v = reader.readU32();
    }
    groups_.resize(readCount(reader, 5));
    for (auto& g : groups_) {
        g.nameReference = reader.readU32();
        g.value = reader.readI8();
    }
    reader.skipSection();

    walks_.resize(readCount(reader, 3));
    for (auto& w : walks_) {
        w.stop = reader.readU16();
        w.minutes = reader.readU8();
    }

    links_.resize(readCount(reader, 9));
    for (auto& l : links_) {
        l.key = reader.readU32();
        l.value = reader.readU8();
        l.town = reader.readU32();
        requireIndex(l.town, towns_.size());
    }

    stops_.resize(readCount(reader, 20));
    for (auto& s : stops_) {
        s.nameReference = reader.readU32();
        names.checkReference(s.nameReference);
        s.passageCount = reader.readU16();
        s.kind = reader.readU16();
        s.walkCount = reader.readU16();
        s.town = reader.readU16();
        s.firstWalk = reader.readU16();
        s.reserved = reader.readU8();
        s.firstLink = reader.readU32();
        s.linkCount = reader.readU8();
        if (s.town != kNoTown) {
            requireIndex(s.town, towns_.size());
        }
        requireRun(s.firstWalk, s.walkCount, walks_.size());
        requireRun(s.firstLink, s.linkCount, links_.size());
    }
    for (const auto& w : walks_) {
        requireIndex(w.stop, stops_.size());
    }

    std::uint32_t keyCount = readCount(reader, 6);
    keys_.resize(keyCount);
    for (auto& k : keys_) {
        k = reader.readU32();
    }
    keyStops_.resize(keyCount);
    for (auto& s : keyStops_) {
        s = reader.readU16();
        requireIndex(s, stops_.size());
    }

    hasCoordinates_ = false;
    positions_.clear();
    reader.beginSection();
    if (coordinatesInVersion(reader.majorVersion(), reader.minorVersion()) && reader.readBool()) {
        reader.requireContent(static_cast<std::uint64_t>(stops_.size()) * 16);
        positions_.resize(stops_.size());
        for (auto& p : positions_) {
            p.latitude = reader.readRawDouble();
            p.longitude = reader.readRawDouble();
        }
        hasCoordinates_ = true;
    }
    readNoteAttachments(reader);
    reader.endSection();
}

// The stops' note attachments follow the coordinates, after their tag, one 32-bit index per
// stop. Files written before stops had notes end the section with other bytes or none.
void cZastavky::readNoteAttachments(TimetableFileReader& reader) {
    noteAttachments_.clear();
    const std::uint64_t tableBytes = 4 + static_cast<std::uint64_t>(stops_.size()) * 4;
    if (stops_.empty() || reader.sectionBytesLeft() < tableBytes ||
        reader.readU32() != kStopNotesTag) {
        return;
    }
    noteAttachments_.resize(stops_.size());
    for (auto& a : noteAttachments_) {
        a = reader.readU32();
    }
}

std::optional<std::uint32_t> cZastavky::noteAttachment(std::size_t s) const {
    requireIndex(s, stops_.size());
    if (noteAttachments_.empty()) {
        return std::nullopt;
    }
    return noteAttachments_[s];
}

void cZastavky::checkNoteAttachments(std::size_t attachmentCount) const {
    for (const std::uint32_t a : noteAttachments_) {
        requireIndex(a, attachmentCount);
    }
}

const cZastavka& cZastavky::stop(std::size_t s) const {
    requireIndex(s, stops_.size());
    return stops_[s];
}

std::string_view cZastavky::name(const cNazvy& names, std::size_t s) const {
    return names.entryText(stop(s).nameReference);
}

std::string_view cZastavky::townName(const cNazvy& names, std::size_t town) const {
    requireIndex(town, towns_.size());
    return names.entryText(towns_[town]);
}

int cZastavky::groupValue(std::size_t s) const {
    std::size_t g = groupIndex(s);
    requireIndex(g, groups_.size());
    return groups_[g].value * kGroupMultiplier;
}

std::optional<std::string_view> cZastavky::groupName(const cNazvy& names, std::size_t s) const {
    std::size_t g = groupIndex(s);
    requireIndex(g, groups_.size());
    return names.tryEntryText(groups_[g].nameReference);
}

std::span<const cPesiPrechod> cZastavky::walkingLinks(std::size_t s) const {
    const cZastavka& z = stop(s);
    return std::span<const cPesiPrechod>(walks_).subspan(z.firstWalk, z.walkCount);
}

std::span<const cOdkazZastavky> cZastavky::links(std::size_t s) const {
    const cZastavka& z = stop(s);
    return std::span<const cOdkazZastavky>(links_).subspan(z.firstLink, z.linkCount);
}

cPoloha cZastavky::position(std::size_t s) const {
    requireIndex(s, stops_.size());
    return hasCoordinates_ ? positions_[s] : cPoloha{};
}

std::uint16_t cZastavky::findByKey(std::uint32_t key) const {
    // Plain bisection: it stays in bounds and ends even when the file's keys are not sorted.
    std::size_t lo = 0;
    std::size_t hi = keys_.size();
    while (lo < hi) {
        std::size_t mid = lo + (hi - lo) / 2;
        if (keys_[mid] < key) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (lo < keys_.size() && keys_[lo] == key) {
        return keyStops_[lo];
    }
    return kNoStop;
}

std::vector<cZastavkaVOkoli> cZastavky::stopsWithin(double latitude, double longitude,
                                                    double limitMetres) const {
    std::vector<cZastavkaVOkoli> hits;
    if (!hasCoordinates_) {
        return hits;
    }
    for (std::size_t s = 0; s < positions_.size(); ++s) {
        const cPoloha& p = positions_[s];
        if (!hasPosition(p.latitude, p.longitude)) {
            continue;
        }
        double d = vzdalenostBodu(latitude, longitude, p.latitude, p.longitude);
        if (d < limitMetres) {
            hits.push_back(cZastavkaVOkoli{255, static_cast<std::uint16_t>(s), d, -1});
        }
    }
    return hits;
}

}  // namespace trasovnik
