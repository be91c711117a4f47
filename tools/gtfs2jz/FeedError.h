#pragma once
// A fault in a feed; the message names the file and, where there is one, the line.

#include <cstddef>
#include <stdexcept>
#include <string>

namespace gtfs2jz {

class FeedError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "file: line N: what" (line 0 leaves the line out).
inline std::string feedPlace(const std::string& file, std::size_t line) {
    return line == 0 ? file : file + ": line " + std::to_string(line);
}

[[noreturn]] inline void feedFail(const std::string& file, std::size_t line,
                                  const std::string& what) {
    throw FeedError(feedPlace(file, line) + ": " + what);
}

}  // namespace gtfs2jz
