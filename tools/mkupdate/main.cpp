// mkupdate: makes a folder of timetable files into an update source for the program.
//   mkupdate [--dir ADDRESS] [--build N] [--version TEXT] FOLDER
// writes FOLDER/pelorakt.ini (the update information) and FOLDER/app/pelorakt.ini (the newest
// program build), read from the files' headers. Serve FOLDER with any static HTTP server and
// point the program at it (see README).
#include "tools/mkupdate/UpdateFolder.h"

#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

int usage() {
    std::cerr << "usage: mkupdate [--dir ADDRESS] [--build N] [--version TEXT] FOLDER\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    mkupdate::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--dir" && hasValue) {
            options.dir = argv[++i];
        } else if (arg == "--build" && hasValue) {
            char* end = nullptr;
            const long build = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || build < 0 || build > 0x7FFFFFFF) return usage();
            options.build = static_cast<std::int32_t>(build);
        } else if (arg == "--version" && hasValue) {
            options.version = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && options.folder.empty()) {
            options.folder = arg;
        } else {
            return usage();
        }
    }
    if (options.folder.empty()) return usage();
    try {
        const mkupdate::Report report = mkupdate::writeUpdateFolder(options);
        for (const auto& title : report.offered) std::cout << "offered: " << title << "\n";
        for (const auto& problem : report.problems) std::cerr << "mkupdate: " << problem << "\n";
        return report.problems.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "mkupdate: " << e.what() << "\n";
        return 1;
    }
}
