#pragma once
// The language library: libPelorvant<CODE>.so in the program folder (CODE "CZ" or "SK" by the
// language setting) whose string table and menus replace the built-in Czech ones. A missing or
// unusable library leaves the built-in texts and menus, without a message.
#include "app/core/AppSettings.h"

#include <filesystem>

namespace pelorvant {

// The library file of a language.
std::filesystem::path languageLibraryPath(const std::filesystem::path& programFolder, std::int32_t language);

// Loads the language's library and makes its string table and its menus the running ones; true
// when it did. The library stays loaded for the life of the process.
bool loadLanguageResources(const std::filesystem::path& programFolder, std::int32_t language);

// Start-up's second step after the engine exists: every setting, the language library, the
// scroll-bar width and, once per installation, the question whether the device has GPS. False
// when the question ended without an answer: nothing of it is stored and the start-up is to end.
bool loadLanguageLibrary(AppSettings& settings, const DeviceFacts& device, const EngineIni& ini,
                         platform::services::Registry& registry, SystemHooks& hooks,
                         UserNotice& notice);

}  // namespace pelorvant
