#pragma once
// The settings file that had grown too large to be saved: the engine kept it aside under
// another name and went on with what it could read of it. The user learns of it at the start
// in which that happened; the file is sound from then on, so later starts say nothing.
#include "app/core/EngineIni.h"
#include "app/core/SystemHooks.h"

namespace pelorvant {

inline constexpr std::uint32_t kTextSettingsSetAside = 12150;

// Shows text 12150 with the kept-aside file's name when the engine kept the settings file aside;
// nothing otherwise. Call once the language library is loaded, so the text is the user's.
void tellOfSettingsSetAside(const EngineIni& ini, UserNotice& notice);

}  // namespace pelorvant
