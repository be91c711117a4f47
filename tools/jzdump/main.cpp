// jzdump: prints what the engine reads from a timetable file, for people debugging data.
//   jzdump <file.jz>
#include <iostream>

#include "engine/data/EngineException.h"
#include "engine/data/LoadObserver.h"
#include "tools/jzdump/TimetableDump.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: jzdump <file.jz>\n";
        return 2;
    }
    try {
        trasovnik::LoadObserver quiet;
        auto timetable = trasovnik::loadTimetableFile(argv[1], quiet);
        std::cout << "file " << argv[1] << "\n" << jzdump::dumpTimetable(*timetable);
    } catch (const trasovnik::EngineException& e) {
        std::cerr << "jzdump: " << argv[1] << ": " << trasovnik::engineCodeName(e.code()) << "\n";
        return 1;
    }
    return 0;
}
