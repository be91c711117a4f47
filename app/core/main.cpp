// Pelorvant's entry: for now the core start-up, which binds the engine, reads the settings and
// lists the timetables found.
#include "app/core/CoreCheck.h"
#include "app/core/FileUtils.h"

#include <iostream>

int main(int argc, char** argv) {
    return pelorvant::runCoreCheck(pelorvant::getProgramFolder(), argc, argv, std::cout, std::cerr);
}
