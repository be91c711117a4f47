#include "app/program/EngineStart.h"

// The core's start-up failure carries a string-table id; the program's start-up shows texts.
#include "app/core/ExceptionExit.h"

#include "platform/resources/StringTable.h"

namespace pelorvant {

const EngineApi* bindEngineForStartUp(const std::filesystem::path& programFolder, std::u16string& failure) {
    try {
        return &bindEngineLibrary(programFolder);
    } catch (const ExceptionExit& exit) {
        failure = platform::resources::loadResString(exit.textId());
        return nullptr;
    }
}

}  // namespace pelorvant
