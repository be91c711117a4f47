#include "engine/search/results/SearchResult.h"

#include <algorithm>
#include <utility>

namespace trasovnik {
namespace {

std::int64_t departureOf(const BuiltConnection& c) {
    const cUsekSpojeni& l = c.legs.front();
    return l.departureMinute + static_cast<std::int64_t>(l.departureDay) * 1440;
}

std::int64_t arrivalOf(const BuiltConnection& c) {
    const cUsekSpojeni& l = c.legs.back();
    return l.arrivalMinute + static_cast<std::int64_t>(l.arrivalDay) * 1440 + c.finalWalkMinutes;
}

MinuteDay toMinuteDay(std::int64_t absolute) {
    std::int64_t day = absolute / 1440;
    std::int64_t minute = absolute % 1440;
    if (minute < 0) {
        minute += 1440;
        --day;
    }
    return MinuteDay{static_cast<std::int16_t>(minute), static_cast<std::int16_t>(day)};
}

}  // namespace

void cVysledekHledani::addConnection(BuiltConnection connection) {
    owned_.push_back(std::move(connection));
    order_.push_back(&owned_.back());
    rebuildRecords();
}

void cVysledekHledani::addConnectionsOf(const cVysledekHledani& other) {
    for (const BuiltConnection* c : other.order_) {
        BuiltConnection copy = *c;
        for (cUsekSpojeni& leg : copy.legs) {
            leg.next = nullptr;
            leg.previous = nullptr;
        }
        owned_.push_back(std::move(copy));
        order_.push_back(&owned_.back());
    }
    rebuildRecords();
}

void cVysledekHledani::finish() {
    std::stable_sort(order_.begin(), order_.end(),
                     [](const BuiltConnection* a, const BuiltConnection* b) {
                         if (departureOf(*a) != departureOf(*b)) {
                             return departureOf(*a) < departureOf(*b);
                         }
                         if (arrivalOf(*a) != arrivalOf(*b)) {
                             return arrivalOf(*a) < arrivalOf(*b);
                         }
                         return a->legs.size() < b->legs.size();
                     });
    rebuildRecords();
    if (order_.empty()) {
        return;
    }
    firstDeparture = toMinuteDay(departureOf(*order_.front()));
    lastDeparture = toMinuteDay(departureOf(*order_.back()));
    firstArrival = toMinuteDay(arrivalOf(*order_.front()));
    lastArrival = toMinuteDay(arrivalOf(*order_.back()));
}

void cVysledekHledani::rebuildRecords() {
    records_.clear();
    records_.reserve(order_.size());
    for (BuiltConnection* c : order_) {
        std::int32_t distance = 0;
        for (std::size_t i = 0; i < c->legs.size(); ++i) {
            cUsekSpojeni& leg = c->legs[i];
            if (i < c->lineNames.size()) {
                leg.lineName = c->lineNames[i].data();
                leg.lineNameLength = static_cast<std::int32_t>(c->lineNames[i].size());
            } else {
                leg.lineName = nullptr;
                leg.lineNameLength = 0;
            }
            if (leg.departureSlot == cUsekSpojeni::kWalkingSlot) {
                continue;  // a walk adds no ridden distance
            }
            if (leg.distance < 0 || distance < 0) {
                distance = -1;
            } else {
                distance += leg.distance;
            }
        }
        std::int32_t total = 0;
        if (c->elapsedMinutes >= 0) {
            total = c->elapsedMinutes;
        } else if (!c->legs.empty()) {
            total = static_cast<std::int32_t>(arrivalOf(*c) - departureOf(*c));
        }
        records_.push_back(
            cSpojeni{c->legs.data(), static_cast<std::int32_t>(c->legs.size()), distance, total});
    }
}

const cSpojeni* cVysledekHledani::connection(std::int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= records_.size()) {
        return nullptr;
    }
    return &records_[static_cast<std::size_t>(i)];
}

cSpojeni* cVysledekHledani::connection(std::int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= records_.size()) {
        return nullptr;
    }
    return &records_[static_cast<std::size_t>(i)];
}

bool cVysledekHledani::ownsLeg(const cUsekSpojeni* leg) const {
    for (const BuiltConnection& c : owned_) {
        if (!c.legs.empty() && leg >= c.legs.data() && leg < c.legs.data() + c.legs.size()) {
            return true;
        }
    }
    for (const cVysledekSpoj& a : alternatives_) {
        if (&a == leg) {
            return true;
        }
    }
    return false;
}

cVysledekSpoj* cVysledekHledani::keepAlternative(const cVysledekSpoj& record,
                                                 std::string_view lineName) {
    alternativeNames_.emplace_back(lineName);
    alternatives_.push_back(record);
    cVysledekSpoj& kept = alternatives_.back();
    kept.lineName = alternativeNames_.back().data();
    kept.lineNameLength = static_cast<std::int32_t>(alternativeNames_.back().size());
    kept.next = nullptr;
    kept.previous = nullptr;
    return &kept;
}

}  // namespace trasovnik
