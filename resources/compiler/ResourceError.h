#pragma once
// A fault in a resource source file, reported with the file's line so that the build stops with
// a message that points at the line to mend.

#include <stdexcept>
#include <string>

namespace rescomp {

class ResourceError : public std::runtime_error {
public:
    ResourceError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

}  // namespace rescomp
