#pragma once
// Hands a file or an address (a help page, an "sms:" address with its body, a calendar file)
// to the desktop's preferred program. The target travels as one argument of an argument
// vector, never through a shell, so quotes, ampersands and spaces in it stay as they are.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <string>
#include <vector>

namespace platform::services {

class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;
    // Starts the opener without waiting for it; false when it could not be started.
    virtual bool open(const std::string& target) = 0;
    // Starts the opener and waits a few seconds to learn whether a program took the target:
    // false when the opener could not start or ended in failure (no program handles that
    // kind of file or address), true when it succeeded or still runs the program it started.
    // Blocks: call it from a worker thread.
    virtual bool openConfirmed(const std::string& target) { return open(target); }
};

// xdg-open from the system's binary folder (or `program` in its place); openConfirmed waits
// at most patienceMs for it. The caller owns the result.
std::unique_ptr<DesktopOpener> makeXdgOpener(const std::filesystem::path& program = "/usr/bin/xdg-open",
                                             std::uint32_t patienceMs = 5000);

// Records what it was asked to open and reports `succeeds`, opening nothing.
class DesktopOpenerDouble final : public DesktopOpener {
public:
    std::vector<std::string> opened;
    bool succeeds = true;
    bool open(const std::string& target) override {
        opened.push_back(target);
        return succeeds;
    }
};

// The address that opens the message composer with the body filled in.
std::string smsComposerAddress(std::string_view number, std::string_view utf8Body);

}  // namespace platform::services
