#include "platform/services/launcher/DesktopOpener.h"

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

bool unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

}  // namespace

std::unique_ptr<DesktopOpener> makeXdgOpener() { return std::make_unique<XdgOpener>(); }

std::string percentEncodeUri(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (unreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out;
}

std::string smsComposerAddress(std::string_view number, std::string_view utf8Body) {
    return "sms:" + percentEncodeUri(number) + "?body=" + percentEncodeUri(utf8Body);
}

}  // namespace platform::services
