// A language library: the program's string table in one language, built from
// resources/strings/<code>.txt. The program finds it by name in its folder and asks for the
// table through the one export below.
#include "platform/resources/ResourceData.h"

#include <cstddef>

extern "C" __attribute__((visibility("default"))) const platform::resources::data::StringEntry*
pelorvantStringTable(std::size_t* count) {
    *count = platform::resources::data::kStringCount;
    return platform::resources::data::kStrings;
}
