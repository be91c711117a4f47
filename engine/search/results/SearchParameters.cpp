#include "engine/search/results/SearchParameters.h"

#include <algorithm>
#include <utility>

#include "engine/data/EngineException.h"
#include "engine/data/TimetableFile.h"

namespace trasovnik {
namespace {

constexpr std::string_view kScMark = "SC";

std::uint8_t clampedByte(std::uint8_t value, std::int32_t hi) {
    return static_cast<std::uint8_t>(std::min<std::int32_t>(value, hi));
}

// The file's defaults, held to the ranges the setters keep.
void fillFromDefaults(const cJizdniRad& jr, cParametryHledaniRadu& r) {
    const SearchDefaults& d = jr.defaults;
    r.maxResultConnections =
        std::clamp(d.maxResultConnections, kMinResultConnections, kMaxResultConnections);
    r.standardMinutes = std::clamp(d.standardWindow, kMinWindowMinutes, kMaxWindowMinutes);
    r.maximumMinutes = std::clamp(d.maximumWindow, kMinWindowMinutes, kMaxWindowMinutes);
    r.minimumTransfer = clampedByte(d.minimumTransfer, kMaxTransferMinutes);
    r.safeTransfer = clampedByte(d.safeTransfer, kMaxTransferMinutes);
    r.transferPenalty = clampedByte(d.transferPenalty, kMaxTransferPenalty);
    r.transferRequiredAtVia = d.transferRequiredAtVia ? 1 : 0;
    r.useScMarking = d.useScMarking ? 1 : 0;
    r.defaultTransfers = std::clamp(d.defaultTransfers, 0, kMaxDefaultTransfers);
    r.walkingLimit = std::clamp(d.walkingLimit, 0, kMaxWalkingLimit);
    r.walkingPace = std::clamp(d.walkingPace, kMinWalkingPace, kMaxWalkingPace);
    r.mayUseLineKind.assign(jr.trips.lines().kindCount(), 1);
    r.tripFlags.assign(jr.trips.tripCount(), kTripUsable);
    // Bits 0 to 4 clear; the search sets them for its request.
    r.stopFlags.assign(jr.stops.stopCount(), 0);
}

}  // namespace

cParametryHledani::cParametryHledani(std::vector<const cJizdniRad*> timetables)
    : timetables_(std::move(timetables)), records_(timetables_.size()) {
    for (const cJizdniRad* jr : timetables_) {
        if (jr == nullptr) {
            raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
        }
    }
    refresh();
}

void cParametryHledani::refresh() {
    prepared_.clear();
    for (std::size_t i = 0; i < timetables_.size(); ++i) {
        fillFromDefaults(*timetables_[i], records_[i]);
    }
    prepare();
}

void cParametryHledani::markScTrips(const cJizdniRad& jr, cParametryHledaniRadu& r) const {
    const int sc = jr.notes.findByMark(jr.names, kScMark);
    if (sc < 0) {
        return;
    }
    const auto note = static_cast<std::uint16_t>(sc);
    for (std::size_t t = 0; t < r.tripFlags.size(); ++t) {
        const std::uint32_t attachment = jr.trips.validity(jr.trips.trip(t).validity).notes;
        const auto attached = jr.notes.attachedNotes(attachment);
        if (std::find(attached.begin(), attached.end(), note) != attached.end()) {
            r.tripFlags[t] |= kTripScNote;
        }
    }
}

void cParametryHledani::prepare() {
    wantedConnections_ = kNoWantedLimit;
    standardWindow_ = 0;
    maximumWindow_ = 0;
    setDefaultTransfers_ = 0;
    for (const cParametryHledaniRadu& r : records_) {
        standardWindow_ = std::max(standardWindow_, r.standardMinutes);
        maximumWindow_ = std::max(maximumWindow_, r.maximumMinutes);
        wantedConnections_ = std::min(wantedConnections_, r.maxResultConnections);
        setDefaultTransfers_ = std::max(setDefaultTransfers_, r.defaultTransfers);
    }
    prepared_.resize(timetables_.size());
    for (std::size_t i = 0; i < timetables_.size(); ++i) {
        const cJizdniRad& jr = *timetables_[i];
        cParametryHledaniRadu& r = records_[i];
        // The trips' bits follow from the line kinds allowed and the "SC" marking alone;
        // with both as in the last preparation they are still right, and a search does not
        // pay for a walk over every trip of the file.
        const bool sc = jr.header.flagA != 0 && r.useScMarking != 0;
        PreparedTrips& memo = prepared_[i];
        if (memo.valid && memo.sc == sc && memo.kinds == r.mayUseLineKind &&
            memo.tripCount == r.tripFlags.size()) {
            continue;
        }
        for (std::uint32_t& f : r.tripFlags) {
            f &= ~kTripScNote;
        }
        if (sc) {
            markScTrips(jr, r);
        }
        for (std::size_t t = 0; t < r.tripFlags.size(); ++t) {
            const std::size_t kind = jr.trips.lines().line(jr.trips.lineOfTrip(t)).kind;
            if (kind >= r.mayUseLineKind.size()) {
                raiseEngine(ENGINE_EXC_INDEX);
            }
            r.tripFlags[t] =
                (r.tripFlags[t] & ~kTripUsable) | (r.mayUseLineKind[kind] != 0 ? kTripUsable : 0);
        }
        memo = PreparedTrips{true, sc, r.mayUseLineKind, r.tripFlags.size()};
    }
    maximumWindow_ = std::max(standardWindow_, std::min(maximumWindow_, kLongestWindow));
}

}  // namespace trasovnik
