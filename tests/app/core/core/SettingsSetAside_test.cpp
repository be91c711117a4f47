#include "app/core/SettingsSetAside.h"

#include "CoreTestSupport.h"
#include "app/core/EngineIni.h"
#include "app/core/LanguageLibrary.h"
#include "platform/resources/StringTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

// A settings file past the size the engine can write back: the settings first, then a section
// grown far beyond anything the program writes.
class SettingsSetAsideTest : public testing::RealEngineTest {
protected:
    void TearDown() override { platform::resources::useStringTable(nullptr, 0); }
    void writeOversizedSettings() {
        std::string text = "[setup]\r\n   language=1\r\n   fontHeight=17\r\n\r\n[grown]\r\n";
        while (text.size() <= ENGINE_INI_MAX_BYTES) text += "   key" + std::to_string(text.size()) + "=value\r\n";
        testing::writeFile(settings.dataFolder / "nastaveni.ini", text);
        original = text;
    }
    std::string original;
};

TEST_F(SettingsSetAsideTest, TheUserIsToldOnceAndTheSettingsAreSavedAgain) {
    writeOversizedSettings();
    createEngine();
    EngineIni ini(api());
    testing::RecordingNotice notice;
    tellOfSettingsSetAside(ini, notice);
    ASSERT_EQ(notice.boxes.size(), 1u);
    const std::u16string& text = notice.boxes[0].text;
    EXPECT_NE(text.find(u" nastaveni-odlozeny.ini "), std::u16string::npos) << toUtf8(text);
    EXPECT_EQ(text.find(u"%s"), std::u16string::npos);
    EXPECT_EQ(notice.boxes[0].caption, u"Pelorvant");
    // The oversized file is kept whole; the settings it began with are still there.
    std::ifstream kept(settings.dataFolder / "nastaveni-odlozeny.ini", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), original);
    EXPECT_EQ(ini.readInt(u"setup", u"fontHeight", 0), 17);
    ASSERT_TRUE(ini.writeInt(u"setup", u"fontHeight", 19));
    EXPECT_TRUE(ini.flush()) << "changes are saved again";

    // The next start finds a sound file and says nothing.
    createEngine();
    testing::RecordingNotice next;
    tellOfSettingsSetAside(ini, next);
    EXPECT_TRUE(next.boxes.empty());
    EXPECT_EQ(ini.readInt(u"setup", u"fontHeight", 0), 19);
}

TEST_F(SettingsSetAsideTest, ASoundFileIsNotMentioned) {
    testing::writeFile(settings.dataFolder / "nastaveni.ini", "[setup]\r\n   language=1\r\n\r\n");
    createEngine();
    testing::RecordingNotice notice;
    tellOfSettingsSetAside(EngineIni(api()), notice);
    EXPECT_TRUE(notice.boxes.empty());
    EXPECT_FALSE(fs::exists(settings.dataFolder / "nastaveni-odlozeny.ini"));
}

TEST_F(SettingsSetAsideTest, TheTextIsInSlovakForASlovakUser) {
    writeOversizedSettings();
    createEngine();
    ASSERT_TRUE(loadLanguageResources(TRASA_PROGRAM_DIR, 1));
    testing::RecordingNotice notice;
    tellOfSettingsSetAside(EngineIni(api()), notice);
    ASSERT_EQ(notice.boxes.size(), 1u);
    EXPECT_TRUE(notice.boxes[0].text.starts_with(u"S\u00FAbor s nastaveniami")) << "Slovak";
    EXPECT_NE(notice.boxes[0].text.find(u" nastaveni-odlozeny.ini "), std::u16string::npos);
}

}  // namespace
}  // namespace pelorvant
