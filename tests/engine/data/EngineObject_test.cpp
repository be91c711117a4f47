// Making the engine object from the INI file names the program passes (Windows-1250 bytes).

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/data/EngineObject.h"
#include "tests/engine/data/SetTestFiles.h"

namespace trasovnik::testing {
namespace {

TEST(EngineObject, CreateReadsTheIniStoreFromNamesInWindows1250) {
    TempFolder folder;
    // "nastavení.ini": the name's "í" is 0xED in Windows-1250 and two bytes in the file system.
    const std::string cp1250 = folder.file("nastaven\xED.ini");
    const std::string utf8 = folder.file("nastaven\xC3\xAD.ini");
    {
        std::ofstream ini(utf8, std::ios::binary);
        ini << "[setup]\r\nfont=12\r\n";
    }
    cJizdniRadyGlobal& engine = cJizdniRadyGlobal::create(cp1250, folder.file("temp.ini"));
    EXPECT_EQ(cJizdniRadyGlobal::global(), &engine);
    ASSERT_NE(engine.iniStore(), nullptr);
    EXPECT_EQ(engine.iniStore()->mainFile(), utf8);
    EXPECT_EQ(engine.iniStore()->readInt("setup", "font", 0), 12);
    EXPECT_EQ(engine.setSlotCount(), 0u);
    EXPECT_EQ(engine.catalogue().size(), 0u);
}

TEST(EngineObject, WithoutAMainNameThereIsNoStoreAndALaterCreateKeepsTheEngine) {
    cJizdniRadyGlobal& first = cJizdniRadyGlobal::create("", "");
    EXPECT_EQ(first.iniStore(), nullptr);
    EXPECT_FALSE(first.cancelFlag().load());
    first.cancelLoading();
    EXPECT_TRUE(first.cancelFlag().load());
    TempFolder folder;
    cJizdniRadyGlobal& second = cJizdniRadyGlobal::create(folder.file("main.ini"), "");
    EXPECT_EQ(&second, &first);
    EXPECT_EQ(cJizdniRadyGlobal::global(), &first);
    // Nothing of the first engine is replaced; without a store it stays without one.
    EXPECT_EQ(second.iniStore(), nullptr);
    EXPECT_TRUE(second.cancelFlag().load());
}

// A later creation keeps the engine and its store object (the favourites of loaded sets refer
// to it) and reads the store anew from the files it names, as the next start would.
TEST(EngineObject, ALaterCreateReadsTheStoreAnewInPlace) {
    TempFolder folder;
    const std::string main = folder.file("main.ini");
    {
        std::ofstream ini(main, std::ios::binary);
        ini << "[setup]\r\nfont=12\r\n";
    }
    cJizdniRadyGlobal& first = cJizdniRadyGlobal::create(main, folder.file("temp.ini"));
    IniStore* store = first.iniStore();
    ASSERT_NE(store, nullptr);
    store->writeString("setup", "jazyk", "1");
    {
        std::ofstream ini(main, std::ios::binary | std::ios::trunc);
        ini << "[setup]\r\nfont=14\r\n";
    }
    cJizdniRadyGlobal& second = cJizdniRadyGlobal::create(main, folder.file("temp.ini"));
    EXPECT_EQ(&second, &first);
    EXPECT_EQ(second.iniStore(), store);
    EXPECT_EQ(store->readInt("setup", "font", 0), 14);
    EXPECT_EQ(store->readString("setup", "jazyk", "-"), "-");
    EXPECT_FALSE(store->dirty());
    // An empty main name leaves the store as it is.
    store->writeString("setup", "jazyk", "2");
    cJizdniRadyGlobal::create("", "");
    EXPECT_EQ(store->readString("setup", "jazyk", "-"), "2");
}

}  // namespace
}  // namespace trasovnik::testing
