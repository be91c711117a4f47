#pragma once
// Reading and setting an edit's selection in tests, as its parent would.

#include "platform/controls/ControlMessages.h"
#include "platform/core/MessageLoop.h"

#include <cstdint>
#include <utility>

namespace platform::controls::testing {

// The selection's start and end (the caret is at the end).
inline std::pair<int, int> editSelection(WindowHandle edit) {
    int s = -1;
    int e = -1;
    sendMessage(edit, EM_GETSEL, reinterpret_cast<std::uintptr_t>(&s),
                reinterpret_cast<std::intptr_t>(&e));
    return {s, e};
}

inline void selectInEdit(WindowHandle edit, int start, int end) {
    sendMessage(edit, EM_SETSEL, static_cast<std::uintptr_t>(start), end);
}

}  // namespace platform::controls::testing
