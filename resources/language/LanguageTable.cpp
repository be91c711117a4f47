// A language library: the program's string table and menus in one language, built from
// resources/strings/<code>.txt and resources/menus/<code>/. The program finds it by name in its
// folder and asks for its resources through the exports below.
#include "platform/resources/ResourceData.h"

#include <cstddef>

extern "C" __attribute__((visibility("default"))) const platform::resources::data::StringEntry*
pelorvantStringTable(std::size_t* count) {
    *count = platform::resources::data::kStringCount;
    return platform::resources::data::kStrings;
}

extern "C" __attribute__((visibility("default"))) const platform::resources::MenuTemplate*
pelorvantMenus(std::size_t* count) {
    *count = platform::resources::data::kMenuCount;
    return platform::resources::data::kMenus;
}
