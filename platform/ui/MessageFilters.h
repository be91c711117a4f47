#pragma once
// Filters that see each message the user-interface loops retrieve before it is translated and
// dispatched. A filter that returns true has taken the message: it is neither translated nor
// dispatched. Higher layers (the shell's soft keys and popups) install theirs here, so the ui
// layer's loops serve them without knowing them.

#include "platform/core/MessageLoop.h"

namespace platform::ui {

using PreTranslateFilter = bool (*)(const Message& message);

// Adds the filter once (adding it again changes nothing); filters run in the order added.
void addPreTranslateFilter(PreTranslateFilter filter);
void removePreTranslateFilter(PreTranslateFilter filter);
// Runs the filters on the message; true when one of them took it.
bool preTranslateMessage(const Message& message);

}  // namespace platform::ui
