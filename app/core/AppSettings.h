#pragma once
// The program's settings and state: the "setup" keys of the engine's INI store, the facts of
// the device found at start-up, the fonts derived from the font height, the updater fields of
// the shared value "Actualize" and the idle flag that serialises engine work.
#include "app/core/DeviceFacts.h"
#include "app/core/EngineIni.h"
#include "app/core/SystemHooks.h"
#include "platform/draw/Font.h"
#include "platform/services/registry/Registry.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace pelorvant {

inline constexpr std::u16string_view kSetupSection = u"setup";

struct AppSettings {
    // Fonts (owned; empty until createFonts).
    std::unique_ptr<platform::draw::Font> mainFont;
    std::unique_ptr<platform::draw::Font> touchFont;
    std::unique_ptr<platform::draw::Font> listFont;
    std::unique_ptr<platform::draw::Font> reducedFont;
    std::unique_ptr<platform::draw::Font> previewFont;
    std::unique_ptr<platform::draw::Font> smallFont;

    bool isNotSmartphone = true;
    bool showTabs = true;
    std::int32_t fontHeight = 16;
    std::int32_t touchFontHeight = 16;
    bool isWizardFinished = false;
    bool useT9 = true;
    bool highResolution = false;
    bool isGSM = true;
    bool isStandardQwerty = false;
    bool isLandscapeQwerty = false;
    bool touchfriendly = false;
    std::int32_t downloadbuffer = 10000;
    std::int32_t smartListItems = 8;
    std::int32_t defaultFontHeight = 16;
    std::int32_t orientation = 0;
    std::u16string versionText;
    std::int32_t buildNumber = 0;
    std::u16string operatorName;  // key "operator"
    std::int32_t scrollBarWidth = 13;
    bool idle = true;
    std::u16string calendarCategory;
    std::u16string defaultTT;
    std::u16string internetproxy;
    std::int32_t remindbeforestart = 15;
    bool calEdit = false;
    bool calSaveData = false;
    std::int32_t calStatus = -1;
    bool calAdllDay = false;
    std::int32_t calSensitivity = -1;
    std::filesystem::path programFolder;
    std::filesystem::path dataFolder;  // the INI store and the program's own timetables
    std::int32_t qb1 = 0;
    std::int32_t qb2 = 1;
    std::int32_t qb3 = 2;
    std::filesystem::path downloadFolder;
    std::int64_t downloadFolderFree = 0;  // kilobytes
    std::int32_t language = 0;
    bool updaterEnabled = false;
    bool updaterStartsProgram = false;
    std::int64_t updaterStamp = 0;
    std::int32_t lastUpdateCheckDay = 0;
    bool checkAppAct = false;
    bool tabsShownState = false;
    bool showTabsAtStart = true;
    bool layoutFlag = false;
    std::int32_t layoutWidth = 0;
    std::int32_t layoutHeight = 0;
    bool isgps = false;
    bool wasgpsq = false;

    // idle, highResolution, isNotSmartphone and defaultFontHeight from the device.
    void detectPlatform(const DeviceFacts& device);
    // Every "setup" key with its default, clamped to what the program can use; then the
    // updater record, the updater's installation, touchFontHeight and the fonts.
    void loadAppSettings(const EngineIni& ini, platform::services::Registry& registry, SystemHooks& hooks);
    // The state keys, "Actualize", then the INI store's flush. False when the flush failed.
    bool saveState(const EngineIni& ini, platform::services::Registry& registry) const;
    void readActualize(platform::services::Registry& registry);
    // False when the value could not be stored.
    bool writeActualize(platform::services::Registry& registry) const;

    // The clamps loadAppSettings applies: a stored value out of range gives the value the
    // program runs with instead (the default font height, Czech, the button's own command).
    // The settings screens read their keys through the same rules, so they show what is used.
    std::int32_t clampedFontHeight(std::int32_t stored) const;
    static std::int32_t clampedLanguage(std::int32_t stored);
    // button: 0, 1 or 2 (qb1 to qb3).
    static std::int32_t clampedQuickButton(int button, std::int32_t stored);

    std::int32_t listFontHeight() const;
    std::int32_t smallFontHeight() const;
    void createFonts();
    void createListFont(bool italic);
    void createReducedFont();
    void createSmallFont();
    void createPreviewFont(std::int32_t height);
};

// The file name of the program in its folder (the first field of "Actualize").
inline constexpr const char* kProgramFileName = "pelorvant";

}  // namespace pelorvant
