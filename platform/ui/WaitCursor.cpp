#include "platform/ui/WaitCursor.h"

#include <utility>

namespace platform::ui {
namespace {

struct CursorState {
    int waits = 0;
    CursorDriver driver;
};

CursorState& state() {
    thread_local CursorState s;
    return s;
}

}  // namespace

WaitCursor::WaitCursor() {
    CursorState& s = state();
    if (s.waits++ == 0 && s.driver) {
        s.driver(true);
    }
}

WaitCursor::~WaitCursor() {
    CursorState& s = state();
    if (--s.waits == 0 && s.driver) {
        s.driver(false);
    }
}

bool waitCursorShown() {
    return state().waits > 0;
}

void setCursorDriver(CursorDriver driver) {
    CursorState& s = state();
    s.driver = std::move(driver);
    // A backend that comes while work goes on shows the cursor at once.
    if (s.driver && s.waits > 0) {
        s.driver(true);
    }
}

}  // namespace platform::ui
