#include "app/core/SettingsSetAside.h"

#include "platform/resources/StringTable.h"

namespace pelorvant {
namespace {

constexpr std::uint32_t kTextProgramTitle = 128;

}  // namespace

void tellOfSettingsSetAside(const EngineIni& ini, UserNotice& notice) {
    const std::u16string path = ini.setAside();
    if (path.empty()) return;
    // The file lies in the data folder beside the settings; its name is what the user looks for.
    const std::size_t slash = path.find_last_of(u'/');
    const std::u16string name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    std::u16string text = platform::resources::loadResString(kTextSettingsSetAside);
    if (const auto at = text.find(u"%s"); at != std::u16string::npos) text.replace(at, 2, name);
    notice.showMessage(text, platform::resources::loadResString(kTextProgramTitle));
}

}  // namespace pelorvant
