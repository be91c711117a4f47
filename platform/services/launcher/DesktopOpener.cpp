#include "platform/services/launcher/DesktopOpener.h"

#include "platform/services/http/HttpClient.h"
#include "platform/services/process/ProcessLauncher.h"

namespace platform::services {

namespace {

constexpr const char* kXdgOpen = "/usr/bin/xdg-open";

class XdgOpener final : public DesktopOpener {
public:
    XdgOpener() : launcher_(makeProcessLauncher()) {}
    bool open(const std::string& target) override {
        return launcher_->start(kXdgOpen, {kXdgOpen, target});
    }

private:
    std::unique_ptr<ProcessLauncher> launcher_;
};

}  // namespace

std::unique_ptr<DesktopOpener> makeXdgOpener() { return std::make_unique<XdgOpener>(); }

std::string smsComposerAddress(std::string_view number, std::string_view utf8Body) {
    return "sms:" + percentEncode(number) + "?body=" + percentEncode(utf8Body);
}

}  // namespace platform::services
