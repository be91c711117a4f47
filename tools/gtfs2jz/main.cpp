// gtfs2jz: turns a GTFS feed folder into a timetable file that the engine loads.
//   gtfs2jz <feed folder> -o <file.jz> [--walk-radius <metres>] [--distances-in-km]

#include <iostream>
#include <string>

#include "tools/gtfs2jz/FeedError.h"
#include "tools/gtfs2jz/Importer.h"

namespace {

int usage() {
    std::cerr << "usage: gtfs2jz <feed folder> -o <file.jz> [--walk-radius <metres>] "
                 "[--distances-in-km]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string input, output;
    gtfs2jz::ImportOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-o" && i + 1 < argc) {
            output = argv[++i];
        } else if (a == "--walk-radius" && i + 1 < argc) {
            try {
                options.walkRadiusMetres = std::stod(argv[++i]);
            } catch (const std::exception&) {
                return usage();
            }
            if (!(options.walkRadiusMetres >= 0 && options.walkRadiusMetres <= 5000)) {
                std::cerr << "gtfs2jz: --walk-radius takes 0 to 5000 metres\n";
                return 2;
            }
        } else if (a == "--distances-in-km") {
            options.distancesInKm = true;
        } else if (input.empty() && !a.empty() && a[0] != '-') {
            input = a;
        } else {
            std::cerr << "gtfs2jz: unexpected argument " << a << "\n";
            return usage();
        }
    }
    if (input.empty() || output.empty()) {
        return usage();
    }
    try {
        gtfs2jz::ImportResult result = gtfs2jz::importFeed(input, options);
        std::cerr << result.report;
        gtfs2jz::writeTimetableFile(output, result.file);
    } catch (const gtfs2jz::FeedError& e) {
        std::cerr << "gtfs2jz: " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "gtfs2jz: " << input << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
