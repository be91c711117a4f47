#include "app/core/AppSettings.h"

#include "app/core/ActualizeValue.h"

namespace pelorvant {
namespace {

// The number of rows of the quick-button table that qb1 to qb3 index.
constexpr std::int32_t kQuickButtonCount = 10;
constexpr std::int32_t kLanguageCount = 2;
constexpr std::int32_t kMinDownloadBuffer = 10000;
constexpr std::int32_t kMaxDownloadBuffer = 1000000;

std::int32_t withinOr(std::int32_t value, std::int32_t low, std::int32_t high, std::int32_t fallback) {
    return value < low || value > high ? fallback : value;
}

std::unique_ptr<platform::draw::Font> makeFont(std::int32_t height, bool italic = false) {
    platform::draw::FontSpec spec;
    spec.face = "Verdana";
    spec.height = height;
    spec.weight = 400;
    spec.italic = italic;
    return std::make_unique<platform::draw::Font>(spec);
}

}  // namespace

void AppSettings::detectPlatform(const DeviceFacts& device) {
    idle = true;
    highResolution = device.dpi > 191;
    isNotSmartphone = device.platformType != "SmartPhone";
    if (!isNotSmartphone) {
        defaultFontHeight = device.screenHeight > 250 || device.screenWidth > 250 ? 18 : 14;
    } else {
        defaultFontHeight = highResolution ? 28 : 16;
    }
}

void AppSettings::loadAppSettings(const EngineIni& ini, platform::services::Registry& registry, SystemHooks& hooks) {
    const auto s = kSetupSection;
    showTabs = ini.readBool(s, u"showTabs", true);
    useT9 = ini.readBool(s, u"useT9", true);
    isGSM = ini.readBool(s, u"isGSM", true);
    isStandardQwerty = ini.readBool(s, u"isStandardQwerty", false);
    isLandscapeQwerty = ini.readBool(s, u"isLandscapeQwerty", false);
    smartListItems = ini.readInt(s, u"smartListItems", 8);
    operatorName = ini.readString(s, u"operator", u"");
    calendarCategory = ini.readString(s, u"calendarCategory", u"");
    isWizardFinished = ini.readBool(s, u"isWizardFinished", false);
    fontHeight = ini.readInt(s, u"fontHeight", defaultFontHeight);
    remindbeforestart = ini.readInt(s, u"remindbeforestart", 15);
    qb1 = ini.readInt(s, u"qb1", 0);
    qb2 = ini.readInt(s, u"qb2", 1);
    qb3 = ini.readInt(s, u"qb3", 2);
    language = ini.readInt(s, u"language", 0);
    checkAppAct = ini.readBool(s, u"checkAppAct", false);
    touchfriendly = ini.readBool(s, u"touchfriendly", false);
    calEdit = ini.readBool(s, u"calEdit", false);
    calSaveData = ini.readBool(s, u"calSaveData", false);
    calSensitivity = ini.readInt(s, u"calSensitivity", -1);
    calStatus = ini.readInt(s, u"calStatus", -1);
    calAdllDay = ini.readBool(s, u"calAdllDay", false);
    downloadbuffer = ini.readInt(s, u"downloadbuffer", kMinDownloadBuffer);
    defaultTT = ini.readString(s, u"defaultTT", u"");
    isgps = ini.readBool(s, u"isgps", false);
    wasgpsq = ini.readBool(s, u"wasgpsq", false);
    internetproxy = ini.readString(s, u"internetproxy", u"");

    showTabsAtStart = showTabs;
    downloadbuffer = withinOr(downloadbuffer, kMinDownloadBuffer, kMaxDownloadBuffer, kMinDownloadBuffer);
    if (!isNotSmartphone) isGSM = true;
    fontHeight = clampedFontHeight(fontHeight);
    language = clampedLanguage(language);
    qb1 = clampedQuickButton(0, qb1);
    qb2 = clampedQuickButton(1, qb2);
    qb3 = clampedQuickButton(2, qb3);

    hooks.removeUpdaterRegistrations();
    readActualize(registry);
    hooks.installUpdater(updaterEnabled);
    touchFontHeight = static_cast<std::int32_t>((touchfriendly ? 1.5 : 1.0) * fontHeight);
    createFonts();
}

std::int32_t AppSettings::clampedFontHeight(std::int32_t stored) const {
    const std::int32_t spread = 4 + 4 * (highResolution ? 1 : 0);
    return withinOr(stored, defaultFontHeight - spread, defaultFontHeight + spread,
                    defaultFontHeight);
}

// The language and the quick buttons index fixed tables: a hand-edited value outside them
// takes the default instead of reading past a table.
std::int32_t AppSettings::clampedLanguage(std::int32_t stored) {
    return withinOr(stored, 0, kLanguageCount - 1, 0);
}

std::int32_t AppSettings::clampedQuickButton(int button, std::int32_t stored) {
    return withinOr(stored, 0, kQuickButtonCount - 1, button);
}

bool AppSettings::saveState(const EngineIni& ini, platform::services::Registry& registry) const {
    const auto s = kSetupSection;
    ini.writeBool(s, u"isgps", isgps);
    ini.writeBool(s, u"wasgpsq", wasgpsq);
    ini.writeInt(s, u"calSensitivity", calSensitivity);
    ini.writeInt(s, u"calStatus", calStatus);
    ini.writeBool(s, u"calAdllDay", calAdllDay);
    writeActualize(registry);
    return ini.flush();
}

void AppSettings::readActualize(platform::services::Registry& registry) {
    updaterEnabled = false;
    updaterStartsProgram = false;
    updaterStamp = 0;
    lastUpdateCheckDay = 0;
    const auto text = registry.readString(kProgramRegistryKey, kActualizeValueName, kActualizeMaxBytes);
    if (!text) return;
    const ActualizeValue value = parseActualize(*text);
    updaterEnabled = value.enabled;
    updaterStartsProgram = value.startsProgram;
    updaterStamp = value.stamp;
    lastUpdateCheckDay = value.day;
}

bool AppSettings::writeActualize(platform::services::Registry& registry) const {
    // The updater records its trigger stamp in the same value while the program runs: the stamp
    // is taken from the stored value, and only the fields the program owns are its own.
    return registry.updateString(
        kProgramRegistryKey, kActualizeValueName, kActualizeMaxBytes,
        [this](const std::optional<std::string>& current) -> std::optional<std::string> {
            ActualizeValue value = current ? parseActualize(*current) : ActualizeValue{};
            if (!current || value.programPath.empty())
                value.stamp = updaterStamp;
            value.programPath = (programFolder / kProgramFileName).string();
            value.enabled = updaterEnabled;
            value.startsProgram = updaterStartsProgram;
            value.day = lastUpdateCheckDay;
            return formatActualize(value);
        });
}

std::int32_t AppSettings::listFontHeight() const {
    const double factor = ((highResolution ? 2 : 1) * 0.5 * (touchfriendly ? 1 : 0) * 0.5 + 1.0);
    return static_cast<std::int32_t>(factor * fontHeight * 0.9);
}

std::int32_t AppSettings::smallFontHeight() const {
    return static_cast<std::int32_t>(fontHeight * 0.65);
}

void AppSettings::createFonts() {
    mainFont.reset();
    mainFont = makeFont(fontHeight);
    touchFont.reset();
    touchFont = makeFont(touchFontHeight);
    createReducedFont();
    createSmallFont();
}

void AppSettings::createListFont(bool italic) {
    listFont.reset();
    listFont = makeFont(listFontHeight(), italic);
}

void AppSettings::createReducedFont() {
    reducedFont.reset();
    reducedFont = makeFont(static_cast<std::int32_t>(fontHeight * 0.9));
}

void AppSettings::createSmallFont() {
    smallFont.reset();
    smallFont = makeFont(smallFontHeight());
}

void AppSettings::createPreviewFont(std::int32_t height) {
    previewFont.reset();
    previewFont = makeFont(height);
}

}  // namespace pelorvant
