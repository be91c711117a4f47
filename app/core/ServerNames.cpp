#include "app/core/ServerNames.h"

#include "app/core/TextConversion.h"
#include "platform/services/http/HttpClient.h"

namespace pelorvant {
namespace {

bool hasControl(std::u16string_view text) {
    for (const char16_t c : text) {
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) return true;
    }
    return false;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool isSafeTimetableName(std::u16string_view name) {
    return !name.empty() && name.find(u'/') == std::u16string_view::npos &&
           name.find(u'\\') == std::u16string_view::npos && name.find(u"..") == std::u16string_view::npos &&
           !hasControl(name);
}

std::string serverFolderAddress(std::u16string_view dir, std::string_view updateInfoAddress) {
    std::string folder;
    if (dir.empty()) {
        const std::size_t slash = updateInfoAddress.rfind('/');
        if (slash == std::string_view::npos) return {};
        folder = std::string(updateInfoAddress.substr(0, slash + 1));
    } else {
        if (hasControl(dir) || dir.find(u'\\') != std::u16string_view::npos ||
            dir.find(u"..") != std::u16string_view::npos || dir.find(u' ') != std::u16string_view::npos) {
            return {};
        }
        folder = toUtf8(dir);
    }
    const bool http = startsWith(folder, "http://") && folder.size() > 7;
    const bool https = startsWith(folder, "https://") && folder.size() > 8;
    if (!http && !https) return {};
    if (folder.back() != '/') folder.push_back('/');
    return folder;
}

std::string timetableAddress(std::string_view serverFolder, std::u16string_view name) {
    return std::string(serverFolder) + platform::services::percentEncode(toUtf8(name)) + ".jz";
}

}  // namespace pelorvant
