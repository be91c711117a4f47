// pelorvant_check: the program's core without its window: binds the engine from its own folder
// (it is built beside the program), reads the settings and lists the timetables it finds.
#include "app/core/CoreCheck.h"
#include "app/core/FileUtils.h"

#include <iostream>

int main(int argc, char** argv) {
    return pelorvant::runCoreCheck(pelorvant::getProgramFolder(), argc, argv, std::cout, std::cerr);
}
