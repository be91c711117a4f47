#include "app/core/AppSettings.h"

#include "app/core/ActualizeValue.h"
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

using testing::RealEngineTest;
using testing::RecordingHooks;

DeviceFacts pocketPc(int dpi = 96) {
    DeviceFacts facts;
    facts.dpi = dpi;
    return facts;
}

DeviceFacts smartphone(int width = 240, int height = 320) {
    DeviceFacts facts;
    facts.platformType = "SmartPhone";
    facts.screenWidth = width;
    facts.screenHeight = height;
    return facts;
}

class AppSettingsTest : public RealEngineTest {
protected:
    // Writes a "setup" section of the given lines, creates the engine anew and loads.
    void load(const DeviceFacts& device, const std::string& setupLines = "") {
        if (!setupLines.empty()) {
            testing::writeFile(settings.dataFolder / "nastaveni.ini", "[setup]\r\n" + setupLines + "\r\n");
        }
        createEngine();
        settings.detectPlatform(device);
        settings.loadAppSettings(EngineIni(api()), registry, hooks);
    }
    platform::services::MemoryRegistry registry;
    RecordingHooks hooks;
};

TEST_F(AppSettingsTest, EmptyStoreGivesTheDefaults) {
    load(pocketPc());
    EXPECT_TRUE(settings.idle);
    EXPECT_TRUE(settings.isNotSmartphone);
    EXPECT_FALSE(settings.highResolution);
    EXPECT_TRUE(settings.showTabs);
    EXPECT_TRUE(settings.showTabsAtStart);
    EXPECT_TRUE(settings.useT9);
    EXPECT_TRUE(settings.isGSM);
    EXPECT_FALSE(settings.isWizardFinished);
    EXPECT_EQ(settings.smartListItems, 8);
    EXPECT_EQ(settings.fontHeight, 16);
    EXPECT_EQ(settings.touchFontHeight, 16);
    EXPECT_EQ(settings.remindbeforestart, 15);
    EXPECT_EQ(settings.qb1, 0);
    EXPECT_EQ(settings.qb2, 1);
    EXPECT_EQ(settings.qb3, 2);
    EXPECT_EQ(settings.language, 0);
    EXPECT_EQ(settings.downloadbuffer, 10000);
    EXPECT_EQ(settings.calSensitivity, -1);
    EXPECT_EQ(settings.calStatus, -1);
    EXPECT_EQ(settings.operatorName, u"");
    EXPECT_FALSE(settings.isgps);
    EXPECT_FALSE(settings.wasgpsq);
    EXPECT_FALSE(settings.updaterEnabled);
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"remove", "install off"}));
    ASSERT_NE(settings.mainFont, nullptr);
    EXPECT_EQ(settings.mainFont->spec().height, 16);
    EXPECT_EQ(settings.mainFont->spec().face, "Verdana");
    ASSERT_NE(settings.smallFont, nullptr);
    EXPECT_EQ(settings.smallFont->spec().height, 10);
    ASSERT_NE(settings.reducedFont, nullptr);
    EXPECT_EQ(settings.reducedFont->spec().height, 14);
}

struct ClampCase {
    const char* line;  // the "setup" line as the user left it
    bool highResolution;
    const char* field;
    int expected;
};

int fieldValue(const AppSettings& s, const std::string& field) {
    if (field == "downloadbuffer") return s.downloadbuffer;
    if (field == "fontHeight") return s.fontHeight;
    if (field == "language") return s.language;
    if (field == "qb1") return s.qb1;
    if (field == "qb2") return s.qb2;
    if (field == "qb3") return s.qb3;
    ADD_FAILURE() << field;
    return 0;
}

class AppSettingsClampTest : public AppSettingsTest, public ::testing::WithParamInterface<ClampCase> {};

TEST_P(AppSettingsClampTest, HandEditedValueIsKeptOrReplaced) {
    const ClampCase& c = GetParam();
    load(pocketPc(c.highResolution ? 192 : 96), std::string("   ") + c.line + "\r\n");
    EXPECT_EQ(fieldValue(settings, c.field), c.expected) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppSettingsClampTest,
    ::testing::Values(ClampCase{"downloadbuffer=9999", false, "downloadbuffer", 10000},
                      ClampCase{"downloadbuffer=1000001", false, "downloadbuffer", 10000},
                      ClampCase{"downloadbuffer=10000", false, "downloadbuffer", 10000},
                      ClampCase{"downloadbuffer=1000000", false, "downloadbuffer", 1000000},
                      ClampCase{"downloadbuffer=-5", false, "downloadbuffer", 10000},
                      ClampCase{"downloadbuffer=lots", false, "downloadbuffer", 10000},
                      ClampCase{"downloadbuffer=99999999999999999999", false, "downloadbuffer", 10000},
                      ClampCase{"fontHeight=20", false, "fontHeight", 20},
                      ClampCase{"fontHeight=12", false, "fontHeight", 12},
                      ClampCase{"fontHeight=21", false, "fontHeight", 16},
                      ClampCase{"fontHeight=11", false, "fontHeight", 16},
                      ClampCase{"fontHeight=-1", false, "fontHeight", 16},
                      ClampCase{"fontHeight=big", false, "fontHeight", 16},
                      ClampCase{"fontHeight=", false, "fontHeight", 16},
                      ClampCase{"fontHeight=36", true, "fontHeight", 36},
                      ClampCase{"fontHeight=20", true, "fontHeight", 20},
                      ClampCase{"fontHeight=37", true, "fontHeight", 28},
                      ClampCase{"fontHeight=19", true, "fontHeight", 28},
                      ClampCase{"language=1", false, "language", 1},
                      ClampCase{"language=2", false, "language", 0},
                      ClampCase{"language=-1", false, "language", 0},
                      ClampCase{"qb1=9", false, "qb1", 9},
                      ClampCase{"qb1=10", false, "qb1", 0},
                      ClampCase{"qb2=-3", false, "qb2", 1},
                      ClampCase{"qb3=x", false, "qb3", 0}));

TEST_F(AppSettingsTest, SmartphoneAlwaysHasGsm) {
    load(smartphone(), "   isGSM=0\r\n");
    EXPECT_TRUE(settings.isGSM);
    load(pocketPc(), "   isGSM=0\r\n");
    EXPECT_FALSE(settings.isGSM);
}

TEST_F(AppSettingsTest, DefaultFontHeightFollowsTheDevice) {
    struct Row {
        DeviceFacts device;
        int expected;
    };
    for (const Row& row : {Row{pocketPc(), 16}, Row{pocketPc(192), 28}, Row{pocketPc(191), 16},
                           Row{smartphone(240, 320), 18}, Row{smartphone(176, 220), 14}, Row{smartphone(251, 200), 18}}) {
        settings.detectPlatform(row.device);
        EXPECT_EQ(settings.defaultFontHeight, row.expected) << row.device.platformType << " " << row.device.dpi;
    }
    settings.detectPlatform(deviceFactsOf(*platform::ui::findDeviceProfile("240x320-keypad")));
    EXPECT_FALSE(settings.isNotSmartphone);
    settings.detectPlatform(deviceFactsOf(*platform::ui::findDeviceProfile("480x640")));
    EXPECT_TRUE(settings.isNotSmartphone);
    EXPECT_TRUE(settings.highResolution);
}

TEST_F(AppSettingsTest, TouchFriendlyEnlargesTouchAndListFonts) {
    load(pocketPc(), "   touchfriendly=1\r\n   fontHeight=16\r\n");
    EXPECT_EQ(settings.touchFontHeight, 24);
    EXPECT_EQ(settings.listFontHeight(), 18);  // 1.125 × 16
    load(pocketPc(192), "   touchfriendly=1\r\n   fontHeight=28\r\n");
    EXPECT_EQ(settings.listFontHeight(), 37);  // 1.35 × 28, truncated
    load(pocketPc(), "   touchfriendly=0\r\n   fontHeight=20\r\n");
    EXPECT_EQ(settings.listFontHeight(), 18);  // 0.9 × 20
}

TEST_F(AppSettingsTest, SaveStateRoundTripsThroughTheFileAndTheRegistry) {
    load(pocketPc());
    settings.isgps = true;
    settings.wasgpsq = true;
    settings.calSensitivity = 2;
    settings.calStatus = 1;
    settings.calAdllDay = true;
    settings.updaterEnabled = true;
    settings.updaterStartsProgram = true;
    settings.updaterStamp = 7000000001;
    settings.lastUpdateCheckDay = 8400;
    ASSERT_TRUE(settings.saveState(EngineIni(api()), registry));
    EXPECT_EQ(registry.readString(kProgramRegistryKey, kActualizeValueName, kActualizeMaxBytes),
              (settings.programFolder / "pelorvant").string() + "|3|7000000001|8400");

    AppSettings fresh;
    fresh.programFolder = settings.programFolder;
    fresh.dataFolder = settings.dataFolder;
    createEngine();  // reads the flushed file anew
    fresh.detectPlatform(pocketPc());
    fresh.loadAppSettings(EngineIni(api()), registry, hooks);
    EXPECT_TRUE(fresh.isgps);
    EXPECT_TRUE(fresh.wasgpsq);
    EXPECT_EQ(fresh.calSensitivity, 2);
    EXPECT_EQ(fresh.calStatus, 1);
    EXPECT_TRUE(fresh.calAdllDay);
    EXPECT_TRUE(fresh.updaterEnabled);
    EXPECT_TRUE(fresh.updaterStartsProgram);
    EXPECT_EQ(fresh.updaterStamp, 7000000001);
    EXPECT_EQ(fresh.lastUpdateCheckDay, 8400);
    EXPECT_EQ(hooks.calls.back(), "install on");
}

TEST_F(AppSettingsTest, ActualizeWithThreeOrFivePartsLeavesTheUpdaterFieldsZero) {
    for (const char* text : {"/p|3|5", "/p|3|5|6|7", "", "/p|3|5|6\xff|x|"}) {
        settings.updaterEnabled = true;
        settings.lastUpdateCheckDay = 9;
        registry.writeString(kProgramRegistryKey, kActualizeValueName, text);
        settings.readActualize(registry);
        EXPECT_FALSE(settings.updaterEnabled) << text;
        EXPECT_FALSE(settings.updaterStartsProgram) << text;
        EXPECT_EQ(settings.updaterStamp, 0) << text;
        EXPECT_EQ(settings.lastUpdateCheckDay, 0) << text;
    }
    registry.writeString(kProgramRegistryKey, kActualizeValueName, "/p|1|50|6");
    settings.readActualize(registry);
    EXPECT_TRUE(settings.updaterEnabled);
    EXPECT_FALSE(settings.updaterStartsProgram);
    EXPECT_EQ(settings.updaterStamp, 50);
    EXPECT_EQ(settings.lastUpdateCheckDay, 6);
    registry.writeString(kProgramRegistryKey, kActualizeValueName, std::string(600, 'x') + "|1|2|3");
    settings.readActualize(registry);
    EXPECT_FALSE(settings.updaterEnabled);  // over-long counts as missing
}

// The updater records a trigger while the program runs: the program's save keeps that stamp
// and changes only its own fields (path, flags, day), so a second event of the same connection
// still finds its trigger recorded.
TEST_F(AppSettingsTest, SavingKeepsTheStampTheUpdaterWroteMeanwhile) {
    load(pocketPc());
    registry.writeString(kProgramRegistryKey, kActualizeValueName, "/old/path|1|100|8000");
    settings.readActualize(registry);
    registry.writeString(kProgramRegistryKey, kActualizeValueName, "/old/path|1|7000000012|8000");
    settings.updaterStartsProgram = true;
    settings.lastUpdateCheckDay = 8401;
    ASSERT_TRUE(settings.writeActualize(registry));
    EXPECT_EQ(registry.readString(kProgramRegistryKey, kActualizeValueName, kActualizeMaxBytes),
              (settings.programFolder / "pelorvant").string() + "|3|7000000012|8401");
    // An unreadable stored value gives the program's own stamp.
    registry.writeString(kProgramRegistryKey, kActualizeValueName, "garbage");
    ASSERT_TRUE(settings.writeActualize(registry));
    EXPECT_EQ(registry.readString(kProgramRegistryKey, kActualizeValueName, kActualizeMaxBytes),
              (settings.programFolder / "pelorvant").string() + "|3|100|8401");
}

}  // namespace
}  // namespace pelorvant
