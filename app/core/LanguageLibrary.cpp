#include "app/core/LanguageLibrary.h"

#include "app/core/CountryTables.h"
#include "app/core/TextConversion.h"
#include "platform/resources/StringTable.h"

#include <dlfcn.h>

namespace pelorvant {
namespace {

constexpr std::uint32_t kTextGpsQuestion = 424;
using StringTableExport = const platform::resources::data::StringEntry* (*)(std::size_t*);

}  // namespace

std::filesystem::path languageLibraryPath(const std::filesystem::path& programFolder, std::int32_t language) {
    return programFolder / ("libPelorvant" + toUtf8(countryCode(language)) + ".so");
}

bool loadLanguageStrings(const std::filesystem::path& programFolder, std::int32_t language) {
    void* handle = ::dlopen(languageLibraryPath(programFolder, language).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return false;
    const auto table = reinterpret_cast<StringTableExport>(::dlsym(handle, "pelorvantStringTable"));
    std::size_t count = 0;
    const platform::resources::data::StringEntry* entries = table != nullptr ? table(&count) : nullptr;
    if (entries == nullptr || count == 0) {
        ::dlclose(handle);
        return false;
    }
    // The handle is kept open on purpose: the texts live inside the library.
    platform::resources::useStringTable(entries, count);
    return true;
}

bool loadLanguageLibrary(AppSettings& settings, const DeviceFacts& device, const EngineIni& ini,
                         platform::services::Registry& registry, SystemHooks& hooks,
                         UserNotice& notice) {
    settings.loadAppSettings(ini, registry, hooks);
    loadLanguageStrings(settings.programFolder, settings.language);
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
