#pragma once
// The desktop services the program's commands use: the opener of help pages, calendar files
// and the message composer. The real one is made on first use; tests and the scripted driver
// put a recording double in its place.
#include "platform/services/launcher/DesktopOpener.h"

namespace pelorvant {

// The opener in force (not owned by the caller).
platform::services::DesktopOpener& desktopOpener();
// Puts `opener` (not owned; null: the real one again) in force and returns the previous one
// (null when that was the real one).
platform::services::DesktopOpener* setDesktopOpener(platform::services::DesktopOpener* opener);

}  // namespace pelorvant
