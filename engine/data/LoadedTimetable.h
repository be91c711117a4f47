#pragma once
// A timetable file loaded for the engine's sets, with the favourites and history stores that
// live beside it while it is loaded (when the engine keeps an INI store) and the tables the
// connection search reads. The file is shared
// with its header catalogue entry; the stores refer to its categories and names, so they go
// before the file does.

#include <cstdint>
#include <memory>

#include "engine/data/FavouritesHistory.h"
#include "engine/data/TimetableFile.h"

namespace trasovnik {

class FileSearchTables;
class IniStore;

struct LoadedTimetable {
    LoadedTimetable();
    ~LoadedTimetable();
    LoadedTimetable(const LoadedTimetable&) = delete;
    LoadedTimetable& operator=(const LoadedTimetable&) = delete;

    // Makes the favourites and history stores of the file over `store` and loads their
    // entries from its own sections.
    void makeStores(IniStore& store);

    // Declared first, so destroyed after the stores.
    std::shared_ptr<cJizdniRad> file;
    std::unique_ptr<cOblibene> favourites;  // none without an INI store
    std::unique_ptr<cHistorie> history;     // none without an INI store
    // The departure index and trip patterns of the file, built while it loads.
    std::unique_ptr<const FileSearchTables> searchTables;
    // Takes by combinations (and passing holds while a set changes); mirrored in the use
    // count of the file's catalogue entry. The file goes when it returns to 0.
    std::uint32_t holds = 0;
};

}  // namespace trasovnik
