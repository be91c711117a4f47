#pragma once
// What the exports reach through their set and timetable index arguments. An index that names
// no set, or no timetable of the set, is ENGINE_EXC_INDEX.

#include <cstdint>

namespace trasovnik {
class cJizdniRad;
class cSestava;
class cJizdniRadySestavy;
struct LoadedTimetable;
}  // namespace trasovnik

namespace trasovnik::api {

cSestava& setOf(std::int32_t setIndex);
cJizdniRadySestavy& combinationOf(std::int32_t setIndex);
const cJizdniRad& timetableOf(std::int32_t setIndex, std::int32_t timetable);

}  // namespace trasovnik::api
