#include "tools/gtfs2jz/Importer.h"

#include <cstdio>
#include <fstream>

#include "tools/gtfs2jz/DescriptionBuilder.h"
#include "tools/gtfs2jz/FeedError.h"
#include "tools/gtfs2jz/FeedLoader.h"
#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace gtfs2jz {

ImportResult importFeed(const std::string& folder, const ImportOptions& options) {
    Transliterator text;
    Description description;
    {
        Feed feed = loadFeed(folder);
        description = describeFeed(feed, options, text);
    }
    ImportResult result;
    try {
        jz::ContentWriter content = jz::compileContent(description.doc, description.trips);
        description.trips = {};
        result.file = jz::writeContainer(content, jz::containerOptionsOf(description.doc));
    } catch (const jz::CompileError& e) {
        throw FeedError(std::string("the feed cannot be written as a timetable file: ") + e.what());
    }
    result.report = text.report();
    for (const std::string& n : description.notices) {
        result.report += n + "\n";
    }
    return result;
}

void writeTimetableFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(tmp.c_str());
            throw FeedError(tmp + ": cannot write");
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        throw FeedError(path + ": cannot rename " + tmp + " to it");
    }
}

}  // namespace gtfs2jz
