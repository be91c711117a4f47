#include "engine/data/LoadedTimetable.h"

#include "engine/search/connections/FileSearchTables.h"

namespace trasovnik {

LoadedTimetable::LoadedTimetable() = default;
LoadedTimetable::~LoadedTimetable() = default;

void LoadedTimetable::makeStores(IniStore& store) {
    const cJizdniRad& jr = *file;
    auto fav = std::make_unique<cOblibene>(store, jr.categories, jr.names, jr.header.seriesName);
    auto hist = std::make_unique<cHistorie>(store, jr.categories, jr.names, jr.header.seriesName);
    fav->load();
    hist->load();
    favourites = std::move(fav);
    history = std::move(hist);
}

}  // namespace trasovnik
