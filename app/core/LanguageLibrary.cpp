#include "app/core/LanguageLibrary.h"

#include "app/core/CountryTables.h"
#include "app/core/TextConversion.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBoxButtons.h"

#include <dlfcn.h>

namespace pelorvant {
namespace {

constexpr std::uint32_t kTextGpsQuestion = 424;
// The buttons of the message boxes: "Ano", "Ne" and "OK" in the running language.
constexpr std::uint32_t kTextButtons[3] = {350, 351, 12332};
using StringTableExport = const platform::resources::data::StringEntry* (*)(std::size_t*);
using MenusExport = const platform::resources::MenuTemplate* (*)(std::size_t*);

}  // namespace

std::filesystem::path languageLibraryPath(const std::filesystem::path& programFolder, std::int32_t language) {
    return programFolder / ("libPelorvant" + toUtf8(countryCode(language)) + ".so");
}

bool loadLanguageResources(const std::filesystem::path& programFolder, std::int32_t language) {
    void* handle = ::dlopen(languageLibraryPath(programFolder, language).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return false;
    const auto table = reinterpret_cast<StringTableExport>(::dlsym(handle, "pelorvantStringTable"));
    std::size_t count = 0;
    const platform::resources::data::StringEntry* entries = table != nullptr ? table(&count) : nullptr;
    if (entries == nullptr || count == 0) {
        ::dlclose(handle);
        return false;
    }
    // The handle is kept open on purpose: the texts and menus live inside the library.
    platform::resources::useStringTable(entries, count);
    const auto menus = reinterpret_cast<MenusExport>(::dlsym(handle, "pelorvantMenus"));
    std::size_t menuCount = 0;
    const platform::resources::MenuTemplate* templates = menus != nullptr ? menus(&menuCount) : nullptr;
    if (templates != nullptr && menuCount != 0) platform::resources::useMenuTemplates(templates, menuCount);
    return true;
}

bool loadLanguageLibrary(AppSettings& settings, const DeviceFacts& device, const EngineIni& ini,
                         platform::services::Registry& registry, SystemHooks& hooks,
                         UserNotice& notice) {
    settings.loadAppSettings(ini, registry, hooks);
    loadLanguageResources(settings.programFolder, settings.language);
    using platform::resources::loadResString;
    platform::shell::setMessageBoxButtonTexts(
        {loadResString(kTextButtons[0]), loadResString(kTextButtons[1]), loadResString(kTextButtons[2])});
    settings.scrollBarWidth = device.scrollBarWidth;
    if (!settings.wasgpsq) {
        const std::optional<bool> hasGps =
            notice.answerYesNo(platform::resources::loadResString(kTextGpsQuestion), u"GPS");
        // Asked again at the next start.
        if (!hasGps)
            return false;
        if (*hasGps)
            settings.isgps = true;
        settings.wasgpsq = true;
        settings.saveState(ini, registry);
    }
    return true;
}

}  // namespace pelorvant
