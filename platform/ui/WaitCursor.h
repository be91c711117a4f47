#pragma once
// The wait cursor, shown while the user-interface thread does long work (loading a timetable,
// searching): a WaitCursor object shows it for as long as it lives. Nested ones show it once,
// until the outermost ends. The display backend draws it (the SDL backend with the system's
// wait cursor); without a display, as in tests, nothing is drawn.

#include <functional>

namespace platform::ui {

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// True while a WaitCursor lives on the calling thread.
bool waitCursorShown();

// What the backend does when the wait cursor comes (true) and goes (false); an empty function
// draws nothing. Set on the user-interface thread.
using CursorDriver = std::function<void(bool wait)>;
void setCursorDriver(CursorDriver driver);

}  // namespace platform::ui
