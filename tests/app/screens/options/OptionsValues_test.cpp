#include "app/screens/options/OptionsValues.h"

#include "app/screens/options/WizardFrame.h"
#include "tests/app/core/core/CoreTestSupport.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

using testing::RealEngineTest;
using testing::RecordingHooks;

class OptionsValuesTest : public RealEngineTest {
protected:
    EngineIni ini() const { return EngineIni(api()); }
    RecordingHooks hooks;
};

TEST_F(OptionsValuesTest, MissingKeysTakeTheProgramsCurrentValues) {
    settings.operatorName = u"O2";
    settings.fontHeight = 18;
    settings.updaterEnabled = true;
    const OptionsValues v = loadOptionsValues(ini(), settings);
    EXPECT_EQ(v.operatorName, u"O2");
    EXPECT_EQ(v.fontHeight, 18);
    EXPECT_TRUE(v.updaterEnabled);
    EXPECT_FALSE(v.isgps);
}

struct RestartCase {
    const char* what;
    void (*change)(OptionsValues&);
    bool touch;
    bool restart;
};

class RestartRuleTest : public OptionsValuesTest,
                        public ::testing::WithParamInterface<RestartCase> {};

TEST_P(RestartRuleTest, OnlyValuesTheRunningProgramCannotTakeAskForARestart) {
    const RestartCase c = GetParam();
    settings.isNotSmartphone = c.touch;
    const OptionsValues loaded = loadOptionsValues(ini(), settings);
    OptionsValues chosen = loaded;
    c.change(chosen);
    EXPECT_EQ(saveOptionsValues(ini(), settings, loaded, chosen, hooks), c.restart) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, RestartRuleTest,
    ::testing::Values(
        RestartCase{"nothing", [](OptionsValues&) {}, true, false},
        RestartCase{"operator", [](OptionsValues& v) { v.operatorName = u"O2"; }, true, false},
        RestartCase{"GSM", [](OptionsValues& v) { v.isGSM = !v.isGSM; }, true, false},
        RestartCase{"GPS", [](OptionsValues& v) { v.isgps = !v.isgps; }, true, false},
        RestartCase{"calendar", [](OptionsValues& v) { v.calEdit = !v.calEdit; }, true, false},
        RestartCase{"font", [](OptionsValues& v) { v.fontHeight += 1; }, true, true},
        RestartCase{"language", [](OptionsValues& v) { v.language = 1; }, true, true},
        RestartCase{"tabs", [](OptionsValues& v) { v.showTabs = !v.showTabs; }, true, true},
        RestartCase{"finger", [](OptionsValues& v) { v.touchfriendly = !v.touchfriendly; }, true,
                    true},
        RestartCase{"quick button", [](OptionsValues& v) { v.qb2 = 7; }, true, true},
        RestartCase{"quick button on a keypad", [](OptionsValues& v) { v.qb2 = 7; }, false, false},
        RestartCase{"keyboard", [](OptionsValues& v) { v.isLandscapeQwerty = true; }, false,
                    true}));

TEST_F(OptionsValuesTest, SavingWritesTheKeysAndHandsTheImmediateValuesToTheProgram) {
    const OptionsValues loaded = loadOptionsValues(ini(), settings);
    OptionsValues chosen = loaded;
    chosen.operatorName = u"T-Mobile";
    chosen.isGSM = false;
    chosen.defaultTT = u"-";
    chosen.updaterEnabled = true;
    chosen.fontHeight = 17;
    saveOptionsValues(ini(), settings, loaded, chosen, hooks);
    EXPECT_EQ(ini().readString(kSetupSection, u"operator", u""), u"T-Mobile");
    EXPECT_FALSE(ini().readBool(kSetupSection, u"isGSM", true));
    EXPECT_EQ(ini().readString(kSetupSection, u"defaultTT", u""), u"-");
    EXPECT_EQ(ini().readInt(kSetupSection, u"fontHeight", 0), 17);
    EXPECT_EQ(settings.operatorName, u"T-Mobile");
    EXPECT_FALSE(settings.isGSM);
    EXPECT_TRUE(settings.updaterEnabled);
    // The font takes effect at the next start only.
    EXPECT_EQ(settings.fontHeight, 16);
    EXPECT_EQ(hooks.calls, (std::vector<std::string>{"install on"}));
}

TEST_F(OptionsValuesTest, AKeypadDeviceAlwaysHasGsmAndKeepsItsTouchKeys) {
    settings.isNotSmartphone = false;
    const OptionsValues loaded = loadOptionsValues(ini(), settings);
    OptionsValues chosen = loaded;
    chosen.isGSM = false;
    chosen.isStandardQwerty = true;
    saveOptionsValues(ini(), settings, loaded, chosen, hooks);
    EXPECT_TRUE(settings.isGSM);
    EXPECT_TRUE(ini().readBool(kSetupSection, u"isStandardQwerty", false));
    EXPECT_EQ(ini().readString(kSetupSection, u"isGSM", u"absent"), u"absent");
}

TEST_F(OptionsValuesTest, TheWizardStartsFromItsDefaultsAndMarksItselfFinished) {
    settings.isNotSmartphone = false;
    const OptionsValues v = loadWizardValues(ini(), settings);
    EXPECT_TRUE(v.showTabs);
    EXPECT_TRUE(v.isGSM);
    EXPECT_FALSE(v.isStandardQwerty);
    EXPECT_FALSE(v.isLandscapeQwerty);
    EXPECT_EQ(v.fontHeight, settings.fontHeight);
    OptionsValues chosen = v;
    chosen.isLandscapeQwerty = true;
    saveWizardValues(ini(), settings, chosen);
    EXPECT_TRUE(settings.isWizardFinished);
    EXPECT_TRUE(ini().readBool(kSetupSection, u"isWizardFinished", false));
    EXPECT_TRUE(ini().readBool(kSetupSection, u"isLandscapeQwerty", false));
}

TEST(WizardTextTest, TheTitleIsOneAndAFifthOfTheFontHeight) {
    const std::u16string text = wizardConfirmationText(16);
    EXPECT_EQ(text.find(u"<*b*><*19*>Nastavení uloženo"), 0u);
    EXPECT_NE(text.find(u"<*b*><*16*>  Prvotní nastavení"), std::u16string::npos);
}

}  // namespace
}  // namespace pelorvant
