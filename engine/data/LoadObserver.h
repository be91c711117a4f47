#pragma once
// What a timetable load reports to and asks of its caller: progress in percent, and whether
// the user has asked to stop. The engine's set loader forwards progress as window messages
// and answers the cancel question from the engine's cancel flag; tests record both.

namespace trasovnik {

struct LoadObserver {
    virtual ~LoadObserver() = default;
    virtual void progress(int percent) { (void)percent; }
    virtual bool cancelled() { return false; }
};

}  // namespace trasovnik
