#include "app/core/CoreCheck.h"

#include "app/core/AppSettings.h"
#include "app/core/DateTexts.h"
#include "app/core/EngineBinding.h"
#include "app/core/ExceptionExit.h"
#include "app/core/FileUtils.h"
#include "app/core/Folders.h"
#include "app/core/LanguageLibrary.h"
#include "app/core/TextConversion.h"
#include "app/core/TimetableData.h"
#include "platform/resources/StringTable.h"

#include <ostream>

namespace pelorvant {
namespace {

// Boxes go to the error stream; questions are answered No without asking.
class StreamNotice final : public UserNotice {
public:
    explicit StreamNotice(std::ostream& err) : err_(err) {}
    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        err_ << toUtf8(caption) << ": " << toUtf8(text) << "\n";
    }
    bool askYesNo(std::u16string_view, std::u16string_view) override { return false; }

private:
    std::ostream& err_;
};

}  // namespace

int runCoreCheck(const std::filesystem::path& programFolder, int argc, const char* const* argv, std::ostream& out,
                 std::ostream& err) {
    StreamNotice notice(err);
    const auto profile = platform::ui::chooseDeviceProfile(argc, argv);
    if (!profile) err << "unknown device profile; using 240x320\n";
    const DeviceFacts device = profile ? deviceFactsOf(*profile) : DeviceFacts{};

    const EngineApi* api = nullptr;
    try {
        api = &bindEngineLibrary(programFolder);
    } catch (const ExceptionExit& exit) {
        notice.showMessage(platform::resources::loadResString(exit.textId()) + platform::resources::loadResString(kTextEndNotice),
                           platform::resources::loadResString(kTextFatalCaption));
        return 1;
    }

    AppSettings settings;
    settings.detectPlatform(device);
    settings.programFolder = programFolder;
    settings.dataFolder = defaultDataFolder();
    const auto registry = platform::services::makeFileRegistry(platform::services::defaultConfigHome());
    TimetableData data(*api, settings, *registry, notice);
    if (!data.createEngine()) return 1;

    const EngineIni ini(*api);
    SystemHooks hooks;
    settings.loadAppSettings(ini, *registry, hooks);
    loadLanguageResources(programFolder, settings.language);
    data.loadHeaders();

    out << "program folder: " << programFolder.string() << "\n"
        << "data folder: " << settings.dataFolder.string() << "\n"
        << "device: " << device.platformType << " " << device.screenWidth << "x" << device.screenHeight
        << ", font height " << settings.fontHeight << ", language " << settings.language << "\n"
        << "download folder: " << settings.downloadFolder.string() << " (" << settings.downloadFolderFree
        << " KB free)\n"
        << "timetables: " << data.headers().size() << "\n";
    for (std::size_t i = 0; i < data.headers().size(); ++i) {
        const TimetableHeaderInfo& h = data.headers()[i];
        out << i << ": " << toUtf8(h.fileName) << " | " << toUtf8(h.title) << " | "
            << toUtf8(dayRangeText(*api, h.firstValidFrom, h.firstValidTo)) << "\n";
    }
    return 0;
}

}  // namespace pelorvant
