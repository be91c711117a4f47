#pragma once
// Hands a file or an address (a help page, an "sms:" address with its body, a calendar file)
// to the desktop's preferred program. The target travels as one argument of an argument
// vector, never through a shell, so quotes, ampersands and spaces in it stay as they are.
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
};

// xdg-open from the system's binary folder. The caller owns the result.
std::unique_ptr<DesktopOpener> makeXdgOpener();

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
