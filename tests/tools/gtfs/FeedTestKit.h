#pragma once
// Helpers of the importer's tests: a scratch copy of a fixture feed that a test may alter,
// running the command line, loading what it wrote.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "tools/gtfs2jz/CommandLine.h"

namespace gtfstest {

inline std::string fixtureFeed(const std::string& name) {
    return std::string(TRASA_SOURCE_DIR) + "/tests/fixtures/gtfs/" + name;
}

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// A scratch folder removed at the end of the test; `feed` is a copy of a fixture feed in it.
class ScratchFeed {
public:
    explicit ScratchFeed(const std::string& fixture = "") {
        static int counter = 0;
        dir_ = std::filesystem::temp_directory_path() /
               ("gtfs_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(feed());
        if (!fixture.empty()) {
            std::filesystem::copy(fixtureFeed(fixture), feed(),
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::overwrite_existing);
        }
    }
    ~ScratchFeed() { std::filesystem::remove_all(dir_); }
    ScratchFeed(const ScratchFeed&) = delete;
    ScratchFeed& operator=(const ScratchFeed&) = delete;

    std::string feed() const { return (dir_ / "feed").string(); }
    std::string file(const std::string& name) const { return feed() + "/" + name; }
    std::string output() const { return (dir_ / "out.jz").string(); }

    // Runs the importer on the feed; its messages land in `messages`.
    int import(std::string& messages, std::vector<std::string> extra = {}) const {
        std::vector<std::string> args{feed(), "-o", output()};
        args.insert(args.end(), extra.begin(), extra.end());
        std::ostringstream err;
        int rc = gtfs2jz::runImporter(args, err);
        messages = err.str();
        return rc;
    }

private:
    std::filesystem::path dir_;
};

}  // namespace gtfstest
