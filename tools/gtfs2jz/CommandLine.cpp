#include "tools/gtfs2jz/CommandLine.h"

#include "tools/gtfs2jz/FeedError.h"
#include "tools/gtfs2jz/Importer.h"

namespace gtfs2jz {

namespace {

int usage(std::ostream& err) {
    err << "usage: gtfs2jz <feed folder> -o <file.jz> [--walk-radius <metres>] "
           "[--distances-in-km]\n";
    return 2;
}

}  // namespace

int runImporter(const std::vector<std::string>& args, std::ostream& err) {
    std::string input, output;
    ImportOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (a == "--walk-radius" && i + 1 < args.size()) {
            std::size_t used = 0;
            try {
                options.walkRadiusMetres = std::stod(args[++i], &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != args[i].size() ||
                !(options.walkRadiusMetres >= 0 && options.walkRadiusMetres <= 5000)) {
                err << "gtfs2jz: --walk-radius takes 0 to 5000 metres\n";
                return 2;
            }
        } else if (a == "--distances-in-km") {
            options.distancesInKm = true;
        } else if (input.empty() && !a.empty() && a[0] != '-') {
            input = a;
        } else {
            err << "gtfs2jz: unexpected argument " << a << "\n";
            return usage(err);
        }
    }
    if (input.empty() || output.empty()) {
        return usage(err);
    }
    try {
        ImportResult result = importFeed(input, options);
        err << result.report;
        writeTimetableFile(output, result.file);
    } catch (const FeedError& e) {
        err << "gtfs2jz: " << e.what() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        err << "gtfs2jz: " << input << ": out of memory\n";
        return 1;
    }
    return 0;
}

}  // namespace gtfs2jz
