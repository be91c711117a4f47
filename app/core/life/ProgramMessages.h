#pragma once
// The two private messages of the program's life: the orderly shut-down, sent to the main
// frame, and the update request a later start hands over to the running instance. They belong
// to the shell's table of private messages when that is part of the build.
#if __has_include("app/shell/PrivateMessages.h")
#include "app/shell/PrivateMessages.h"
#else
#include <cstdint>

namespace pelorvant {

// To the main frame: shut the program down (every fatal path, last tab closed, menu bar).
inline constexpr std::uint32_t WM_APP_TERMINATE = 3037;
// Later start with "UpdateData" to the main frame: run the update check.
inline constexpr std::uint32_t WM_UPDATE_HANDOVER = 3054;

}  // namespace pelorvant
#endif
