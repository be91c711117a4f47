#include "tools/gtfs2jz/LineKinds.h"

namespace gtfs2jz {

namespace {
const LineKindOfType kTram{0, "Tram", 0xC8102E, true};
const LineKindOfType kMetro{1, "Metro", 0x00A562, true};
const LineKindOfType kRail{2, "Vlak", 0x1E3C78, false};
const LineKindOfType kBus{3, "Bus", 0x0060A0, true};
const LineKindOfType kCoach{3, "Bus", 0x0060A0, false};
const LineKindOfType kFerry{4, "Loď", 0x0090C0, true};
const LineKindOfType kCableTram{5, "Lanová tramvaj", 0x804000, true};
const LineKindOfType kAerial{6, "Lanovka", 0x805000, true};
const LineKindOfType kFunicular{7, "Lanová dráha", 0x806000, true};
const LineKindOfType kTrolleybus{11, "Trolejbus", 0x7A0080, true};
const LineKindOfType kMonorail{12, "Jednokolejka", 0x404040, true};
const LineKindOfType kOther{-1, "Ostatní", 0x606060, false};
}  // namespace

LineKindOfType lineKindOf(int t) {
    switch (t) {
        case 0:
            return kTram;
        case 1:
            return kMetro;
        case 2:
            return kRail;
        case 3:
            return kBus;
        case 4:
            return kFerry;
        case 5:
            return kCableTram;
        case 6:
            return kAerial;
        case 7:
            return kFunicular;
        case 11:
            return kTrolleybus;
        case 12:
            return kMonorail;
        default:
            break;
    }
    if (t >= 100 && t < 200)
        return kRail;
    if (t >= 200 && t < 300)
        return kCoach;
    if (t >= 400 && t < 500)
        return kMetro;
    if (t == 704 || t == 705 || t == 712 || t == 715)
        return kBus;
    if (t >= 700 && t < 800)
        return kCoach;
    if (t == 800)
        return kTrolleybus;
    if (t >= 900 && t < 1000)
        return kTram;
    if (t >= 1000 && t < 1100)
        return kFerry;
    if (t == 1200)
        return kFerry;
    if (t >= 1300 && t < 1400)
        return kAerial;
    if (t == 1400)
        return kFunicular;
    return kOther;
}

}  // namespace gtfs2jz
