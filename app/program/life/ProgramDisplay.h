#pragma once
// The window system the program shows itself on. The real program opens its SDL display at
// the start-up; the scripted driver, the tests and the benchmarks put the headless backend in
// place themselves and pass no display.

namespace pelorvant {

class ProgramDisplay {
public:
    virtual ~ProgramDisplay() = default;
    // Opens the display; false after telling why on the standard error.
    virtual bool open() = 0;
    // The display's window to the front, as a later start asks of the running one.
    virtual void raise() = 0;
};

}  // namespace pelorvant
