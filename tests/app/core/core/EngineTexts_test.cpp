#include "app/core/EngineTexts.h"

#include "app/core/TimetableData.h"
#include "CoreTestSupport.h"
#include "platform/resources/StringTable.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

class EngineTextsTest : public testing::RealEngineTest {
protected:
    void SetUp() override {
        RealEngineTest::SetUp();
        fs::copy_file(fs::path(TRASA_FIXTURE_DIR) / "app-kinds.jz", settings.dataFolder / "app-kinds.jz");
        TimetableData data(api(), settings, registry, notice);
        data.loadHeaders();
        std::int32_t index = 0;
        std::int32_t failing = -1;
        ASSERT_EQ(api().api_nactiSestavuJizdnichRadu(&index, 1, &set, &failing, 0), ENGINE_OK);
    }
    platform::services::MemoryRegistry registry;
    testing::RecordingNotice notice;
    std::int32_t set = -1;
};

TEST_F(EngineTextsTest, NamesOfStopsKindsAndElements) {
    const EngineTexts texts(api());
    EXPECT_EQ(texts.getNazevZastavky(set, 0, 0), u"Divadlo");
    EXPECT_EQ(texts.getNazevZastavky(set, 0, kGpsPositionStop), platform::resources::loadResString(425));
    EXPECT_EQ(texts.getZastavkaSPoznamkami(set, 0, kGpsPositionStop), u"akt. GPS pozice");
    EXPECT_EQ(texts.getZastavkaSPoznamkami(set, 0, 0), u"Divadlo");  // no note marks
    EXPECT_EQ(texts.getDruhKategorie(set, 0, 1), u"zast\u00E1vky");
    EXPECT_EQ(texts.getNazevElementuKategorie(set, 0, 2, 0), u"Aquapark");
    EXPECT_EQ(texts.getNazevZastavky(set, 0, 999), u"");  // refused by the engine
    EXPECT_EQ(texts.getNazevZastavky(set + 3, 0, 0), u"");
}

TEST_F(EngineTextsTest, PassageNotesAreMarkAndTextJoined) {
    const EngineTexts texts(api());
    const std::u16string notes = u"x: jede p\u0159es obchvat, +: bezbari\u00E9rov\u00FD";
    EXPECT_EQ(texts.getPoznamkyPrujezdu(set, 0, 0, 1), notes);
    EXPECT_EQ(texts.getPoznamkyPrujezdu(set, 0, 0, 0), u"");
    EXPECT_EQ(texts.getRadekZastavky(set, 0, 1, 0, 1, u" 6:03"), u"N\u00E1m\u011Bst\u00ED 6:03\r\t" + notes);
    EXPECT_EQ(texts.getRadekZastavky(set, 0, 0, 0, 0, u" 6:00"), u"Divadlo 6:00");
}

}  // namespace
}  // namespace pelorvant
