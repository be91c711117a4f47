#include "app/core/Folders.h"

#include <cstdlib>

namespace pelorvant {

std::filesystem::path defaultDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    std::filesystem::path base;
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home != nullptr ? home : "") / ".local" / "share";
    }
    return base / "pelorvant" / "data";
}

std::filesystem::path storageDataFolder(const std::filesystem::path& storageFolder) {
    return storageFolder / "pelorvant" / "data";
}

}  // namespace pelorvant
