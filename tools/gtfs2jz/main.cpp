// gtfs2jz: turns a GTFS feed folder into a timetable file that the engine loads.
//   gtfs2jz <feed folder> -o <file.jz> [--walk-radius <metres>] [--distances-in-km]

#include <iostream>
#include <string>
#include <vector>

#include "tools/gtfs2jz/CommandLine.h"

int main(int argc, char** argv) {
    return gtfs2jz::runImporter(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
