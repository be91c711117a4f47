#pragma once
// The single-line edit. It keeps its text, a selection (anchor and caret) and a horizontal
// scroll that keeps the caret in view. Typing replaces the selection; Backspace and Delete
// remove it or one character; Left, Right, Home and End move the caret (with Shift held they
// extend the selection); Ctrl+C, Ctrl+X and Ctrl+V (and WM_COPY, WM_CUT, WM_PASTE, WM_CLEAR)
// use the process clipboard. A read-only edit (ES_READONLY, EM_SETREADONLY) selects and
// copies but never changes.
//
// Every change of the text, by the user or by WM_SETTEXT and EM_REPLACESEL, sends the parent
// EN_UPDATE and then EN_CHANGE, both after the text has changed. Getting and losing the focus
// send EN_SETFOCUS and EN_KILLFOCUS. A tap gives the edit the focus first (so EN_SETFOCUS
// comes before the caret moves to the tap).

#include "platform/core/Window.h"

namespace platform::controls {

WindowProc editProc();

}  // namespace platform::controls
