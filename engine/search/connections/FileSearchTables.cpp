#include "engine/search/connections/FileSearchTables.h"

#include <memory>

#include "engine/data/EngineException.h"
#include "engine/data/LoadedTimetable.h"

namespace trasovnik {

FileSearchTables::FileSearchTables(const cJizdniRad& file)
    : FileSearchTables(file, StopDepartureIndex::passagesInCompilerOrder(file)) {}

FileSearchTables::FileSearchTables(const cJizdniRad& file, bool compilerOrder)
    : forward_(file, false, compilerOrder), mirrored_(file, true, compilerOrder), patterns_(file) {}

const FileSearchTables& searchTablesOf(LoadedTimetable& loaded) {
    if (!loaded.file) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    if (!loaded.searchTables) {
        loaded.searchTables = std::make_unique<FileSearchTables>(*loaded.file);
    }
    return *loaded.searchTables;
}

}  // namespace trasovnik
