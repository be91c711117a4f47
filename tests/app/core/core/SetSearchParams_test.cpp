#include "app/core/SetSearchParams.h"

#include "app/core/TimetableData.h"
#include "CoreTestSupport.h"
#include "platform/resources/StringTable.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;
using testing::RealEngineTest;
using testing::RecordingNotice;

const std::u16string kCitySeries = u"MHD Horn\u00ED Lhota ??";
const std::u16string kCitySection = kCitySeries + u"-setup";
constexpr std::int32_t kMissing = -12345;

class SearchParamsTest : public RealEngineTest {
protected:
    // Loads one fixture as set `set`, timetable 0.
    void loadSet(const char* fixture) {
        fs::copy_file(fs::path(TRASA_FIXTURE_DIR) / fixture, settings.dataFolder / fixture);
        data_ = std::make_unique<TimetableData>(api(), settings, registry, notice);
        data_->loadHeaders();
        std::int32_t index = 0;
        std::int32_t failing = -1;
        ASSERT_EQ(api().api_nactiSestavuJizdnichRadu(&index, 1, &set, &failing, 0), ENGINE_OK);
        ASSERT_GE(set, 0);
    }
    std::int32_t engineStandard() const {
        std::int32_t v = 0;
        api().api_GetStandardniPocetMinutHledani(set, 0, &v);
        return v;
    }
    std::int32_t engineMaximum() const {
        std::int32_t v = 0;
        api().api_GetMaximalniPocetMinutHledani(set, 0, &v);
        return v;
    }
    bool engineAllows(std::int32_t kind) const {
        char* name = nullptr;
        std::int32_t length = 0, colour = 0;
        std::uint8_t mayUse = 0;
        api().api_GetDruhLinky(set, 0, kind, &name, &length, &colour, &mayUse);
        std::free(name);
        return mayUse != 0;
    }
    std::int32_t stored(const std::u16string& section, std::u16string_view key) const {
        return iniStore().readInt(section, key, kMissing);
    }
    SetSearchParams load() {
        SetSearchParams record;
        loadSearchParams(record, api(), iniStore(), data_->headers()[0].seriesName, set, 0);
        return record;
    }

    EngineIni iniStore() const { return EngineIni(api()); }

    platform::services::MemoryRegistry registry;
    RecordingNotice notice;
    std::int32_t set = -1;
    std::unique_ptr<TimetableData> data_;
};

TEST_F(SearchParamsTest, FreshInstallationTakesAndWritesTheEngineValues) {
    loadSet("city_v40.jz");
    const SetSearchParams record = load();
    EXPECT_EQ(record.section, kCitySection);
    EXPECT_EQ(record.loaded.stanpmh, 120);
    EXPECT_EQ(record.loaded.maxpmh, 360);
    EXPECT_EQ(record.loaded.minpmp, 1);
    EXPECT_EQ(record.loaded.bezppmh, 3);
    EXPECT_EQ(record.loaded.penzp, 4);
    EXPECT_EQ(record.loaded.maxpres, 2);
    for (const char16_t* key : {u"stanpmh", u"maxpmh", u"minpmp", u"bezppmh", u"penzp", u"maxpres", u"smartListItems"}) {
        EXPECT_NE(stored(kCitySection, key), kMissing) << toUtf8(key);
    }
    EXPECT_EQ(stored(kCitySection, u"stanpmh"), 120);
    EXPECT_EQ(iniStore().readString(kCitySection, u"prvpres", u"none"), u"0");
    EXPECT_EQ(iniStore().readString(kCitySection, u"Bus", u"none"), u"none");  // allowed kinds get no key
}

TEST_F(SearchParamsTest, EngineDefaultWindowFallsBackToTheSection08) {
    loadSet("city_v40.jz");
    iniStore().writeInt(kCitySection, u"stanpmh", kEngineDefaultWindow);
    EXPECT_EQ(load().loaded.stanpmh, 120);  // no "08" section: the engine's value

    iniStore().writeInt(kCitySection, u"stanpmh", kEngineDefaultWindow);
    iniStore().writeInt(u"MHD Horn\u00ED Lhota 08-setup", u"stanpmh", 90);
    const SetSearchParams record = load();
    EXPECT_EQ(record.loaded.stanpmh, 90);
    EXPECT_EQ(engineStandard(), 90);
    EXPECT_EQ(stored(kCitySection, u"stanpmh"), 90);
}

TEST_F(SearchParamsTest, MaximumWindowIsNeverBelowTheStandardOne) {
    loadSet("city_v40.jz");
    iniStore().writeInt(kCitySection, u"stanpmh", 120);
    iniStore().writeInt(kCitySection, u"maxpmh", 60);
    const SetSearchParams record = load();
    EXPECT_EQ(record.loaded.maxpmh, 120);
    EXPECT_EQ(engineMaximum(), 120);
    EXPECT_EQ(stored(kCitySection, u"maxpmh"), 120);
}

struct BadValueCase {
    const char16_t* key;
    const char16_t* text;
    const char16_t* otherKey;  // a second key written with otherText, or null
    const char16_t* otherText;
    std::int32_t stanpmh;
    std::int32_t maxpmh;
};

class SearchParamsBadValueTest : public SearchParamsTest, public ::testing::WithParamInterface<BadValueCase> {};

// Whatever the file says, the engine gets values within its ranges and the section is written
// back with what the engine took.
TEST_P(SearchParamsBadValueTest, ValuesOutOfRangeHealInEngineAndSection) {
    const BadValueCase& c = GetParam();
    loadSet("city_v40.jz");
    iniStore().writeString(kCitySection, c.key, c.text);
    if (c.otherKey != nullptr) iniStore().writeString(kCitySection, c.otherKey, c.otherText);
    const SetSearchParams record = load();
    EXPECT_EQ(record.loaded.stanpmh, c.stanpmh);
    EXPECT_EQ(record.loaded.maxpmh, c.maxpmh);
    EXPECT_EQ(engineStandard(), c.stanpmh);
    EXPECT_EQ(engineMaximum(), c.maxpmh);
    EXPECT_EQ(stored(kCitySection, u"stanpmh"), c.stanpmh);
    EXPECT_EQ(stored(kCitySection, u"maxpmh"), c.maxpmh);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchParamsBadValueTest,
    ::testing::Values(BadValueCase{u"stanpmh", u"5", nullptr, nullptr, 60, 360},
                      BadValueCase{u"stanpmh", u"99999", nullptr, nullptr, 7200, 7200},
                      BadValueCase{u"stanpmh", u"-2147483648", nullptr, nullptr, 60, 360},
                      BadValueCase{u"maxpmh", u"100000", nullptr, nullptr, 120, 7200},
                      BadValueCase{u"stanpmh", u"8000", u"maxpmh", u"9000", 7200, 7200}));

TEST_F(SearchParamsTest, LineKindsAreSortedInCzechOrder) {
    loadSet("app-kinds.jz");
    const SetSearchParams record = load();
    EXPECT_EQ(record.lineKindNames,
              (std::vector<std::u16string>{u"Bus", u"Cyklo", u"\u010Clun", u"Tramvaj"}));
    EXPECT_EQ(record.items, (std::vector<std::int32_t>{2, 3, 1, 0}));
    EXPECT_EQ(record.section, u"MHD Zelen\u00E1 Hora ?" u"?-setup");
}

TEST_F(SearchParamsTest, SwitchedOffKindIsWrittenAndSwitchingOnRemovesTheKey) {
    loadSet("app-kinds.jz");
    SetSearchParams record = load();
    record.beginEdit();
    record.allowedEdited[2] = false;  // Člun, engine kind 1
    record.commitEdit(api(), iniStore());
    EXPECT_FALSE(engineAllows(1));
    EXPECT_EQ(iniStore().readString(record.section, u"\u010Clun", u"none"), u"0");

    SetSearchParams again = load();  // read back from the section
    EXPECT_FALSE(again.allowed[2]);
    again.beginEdit();
    again.allowedEdited[2] = true;
    again.commitEdit(api(), iniStore());
    EXPECT_TRUE(engineAllows(1));
    EXPECT_EQ(iniStore().readString(record.section, u"\u010Clun", u"none"), u"none");
}

TEST_F(SearchParamsTest, OptionsDialogEditsACopyUntilCommitted) {
    loadSet("city_v40.jz");
    data_->loadSetSearchParams(set);
    ASSERT_EQ(data_->setParams().size(), 1u);
    SetSearchParams& record = data_->setParams()[0];
    record.edited.stanpmh = 200;
    record.edited.maxpmh = 100;
    EXPECT_EQ(engineStandard(), 120);  // nothing applied before the commit
    data_->saveSetSearchParams(set);
    EXPECT_TRUE(data_->setParams().empty());
    EXPECT_EQ(engineStandard(), 200);
    EXPECT_EQ(engineMaximum(), 200);
    EXPECT_EQ(stored(kCitySection, u"maxpmh"), 200);
}

TEST_F(SearchParamsTest, AfterLoadingTheSetTakesTheStoredParameters) {
    loadSet("city_v40.jz");
    iniStore().writeInt(kCitySection, u"stanpmh", 180);
    data_->applySetSearchParams(set);
    EXPECT_EQ(engineStandard(), 180);
}

TEST_F(SearchParamsTest, GpsWarningComesOnceAndNotForExactPositions) {
    TimetableData data(api(), settings, registry, notice);
    TimetableHeaderInfo header;
    header.title = u"Vlaky SR";
    header.coordinatesExact = true;
    data.showGpsWarning(header);
    EXPECT_TRUE(notice.boxes.empty());
    header.coordinatesExact = false;
    data.showGpsWarning(header);
    data.showGpsWarning(header);
    ASSERT_EQ(notice.boxes.size(), 1u);
    EXPECT_EQ(notice.boxes[0].caption, u"Upozorn\u011Bn\u00ED");
    EXPECT_NE(notice.boxes[0].text.find(u"Vlaky SR"), std::u16string::npos);
    EXPECT_TRUE(iniStore().readBool(u"Vlaky SR-setup", u"gpsWarning", false));
}

}  // namespace
}  // namespace pelorvant
