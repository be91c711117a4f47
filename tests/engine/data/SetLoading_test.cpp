// Loading, changing and freeing timetable sets: files shared between sets with use counts,
// stable set indexes, the statuses -2 and -7, use counts restored after every failure, and the
// search tables built with each file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/data/EngineException.h"
#include "engine/data/FileRefusal.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/connections/FileSearchTables.h"
#include "platform/core/MessageIds.h"
#include "platform/core/Window.h"
#include "tests/engine/data/SetTestFiles.h"

namespace trasovnik::testing {
namespace {

EngineCode codeOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EngineException& e) {
        return e.code();
    }
    return static_cast<EngineCode>(0);
}

class SetLoadingTest : public SetFixture {
protected:
    void SetUp() override {
        addFile("a", setFile("Alfa", 1, 0, 100));
        addFile("b", setFile("Beta", 2, 0, 200));
        addFile("c", setFile("Gama", 3, 0, 300));
        addFile("z", setFile("Zeta", 4, 1, 400));  // another source
        makeEngine();
    }

    // Every catalogue entry unused and nothing loaded.
    void expectNothingLoaded() {
        for (std::size_t i = 0; i < engine->catalogue().size(); ++i) {
            EXPECT_EQ(engine->catalogue().entry(i).useCount, 0u) << i;
            EXPECT_FALSE(engine->catalogue().entry(i).loaded) << i;
        }
        EXPECT_EQ(engine->setList().loadedFileCount(), 0u);
        EXPECT_EQ(engine->setList().count(), 0u);
    }
};

TEST_F(SetLoadingTest, TheSameFilesTwiceShareOneCombinationAndOneCopyOfEachFile) {
    const SetLoadResult first = loadTitles({"Alfa", "Beta"});
    const cJizdniRad* alfa = entryOf("Alfa").loaded.get();
    const SetLoadResult second = loadTitles({"Beta", "Alfa"});  // order does not matter
    ASSERT_EQ(first.setIndex, 0);
    ASSERT_EQ(second.setIndex, 1);
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(second.failingIndex, -1);

    cJizdniRadySestavy& c = engine->getSestava(0).combination();
    EXPECT_EQ(&engine->getSestava(1).combination(), &c);
    EXPECT_EQ(c.useCount(), 2u);
    EXPECT_EQ(engine->setList().count(), 1u);
    EXPECT_EQ(engine->setList().loadedFileCount(), 2u);
    EXPECT_EQ(entryOf("Alfa").useCount, 1u);
    EXPECT_EQ(entryOf("Beta").useCount, 1u);
    EXPECT_EQ(entryOf("Alfa").loaded.get(), alfa);
    // The set keeps the order of the combination it shares.
    EXPECT_EQ(engine->headerIndexesOf(1),
              (std::vector<std::int32_t>{indexOf("Alfa"), indexOf("Beta")}));

    engine->zrusSestavu(0);
    EXPECT_EQ(c.useCount(), 1u);
    EXPECT_EQ(entryOf("Alfa").loaded.get(), alfa);
    engine->zrusSestavu(1);
    expectNothingLoaded();
}

TEST_F(SetLoadingTest, AFileSharedByTwoCombinationsIsReadOnce) {
    loadTitles({"Alfa"});
    const cJizdniRad* alfa = entryOf("Alfa").loaded.get();
    loadTitles({"Alfa", "Beta"});
    EXPECT_EQ(engine->setList().count(), 2u);
    EXPECT_EQ(entryOf("Alfa").useCount, 2u);
    EXPECT_EQ(&engine->getSestava(1).combination().timetable(0), alfa);
    engine->zrusSestavu(0);
    EXPECT_EQ(entryOf("Alfa").useCount, 1u);
    EXPECT_EQ(entryOf("Alfa").loaded.get(), alfa);
}

TEST_F(SetLoadingTest, TheLoadBuildsTheSearchTablesOfEachFileOnce) {
    loadTitles({"Alfa", "Beta"});
    cJizdniRadySestavy& c = engine->getSestava(0).combination();
    for (std::size_t f = 0; f < c.count(); ++f) {
        SCOPED_TRACE(f);
        const FileSearchTables* tables = c.loaded(f).searchTables.get();
        ASSERT_NE(tables, nullptr);
        EXPECT_EQ(&tables->departures(false).file(), &c.timetable(f));
        EXPECT_FALSE(tables->departures(false).mirrored());
        EXPECT_TRUE(tables->departures(true).mirrored());
    }
    // A set that shares a loaded file shares its tables.
    const FileSearchTables* alfa = c.loaded(0).searchTables.get();
    loadTitles({"Alfa"});
    EXPECT_EQ(engine->getSestava(1).combination().loaded(0).searchTables.get(), alfa);
}

TEST_F(SetLoadingTest, FreeingSetZeroOfThreeKeepsTheOthersAtTheirIndexes) {
    loadTitles({"Alfa"});
    loadTitles({"Beta"});
    loadTitles({"Alfa", "Gama"});
    engine->zrusSestavu(0);

    EXPECT_EQ(codeOf([&] { engine->getSestava(0); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(codeOf([&] { engine->zrusSestavu(0); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(engine->headerIndexesOf(1), std::vector<std::int32_t>{indexOf("Beta")});
    EXPECT_EQ(engine->headerIndexesOf(2),
              (std::vector<std::int32_t>{indexOf("Alfa"), indexOf("Gama")}));
    EXPECT_EQ(entryOf("Alfa").useCount, 1u);  // still used by set 2
    EXPECT_EQ(engine->getSestava(2).combination().timetable(0).header.title, "Alfa");

    // A new set goes after the last slot; the freed one stays empty.
    EXPECT_EQ(loadTitles({"Gama"}).setIndex, 3);
    EXPECT_EQ(engine->setSlotCount(), 4u);
    EXPECT_EQ(codeOf([&] { engine->getSestava(0); }), ENGINE_EXC_INDEX);

    for (const std::int32_t i : {1, 2, 3}) {
        engine->zrusSestavu(i);
    }
    expectNothingLoaded();
}

TEST_F(SetLoadingTest, SetIndexesOutsideTheArrayAreRefused) {
    loadTitles({"Alfa"});
    for (const std::int32_t i : {-1, 1, 1000}) {
        EXPECT_EQ(codeOf([&] { engine->getSestava(i); }), ENGINE_EXC_INDEX) << i;
        EXPECT_EQ(codeOf([&] { engine->zrusSestavu(i); }), ENGINE_EXC_INDEX) << i;
        const std::vector<std::int32_t> list{indexOf("Beta")};
        EXPECT_EQ(codeOf([&] { engine->zmenSestavu(i, list, platform::kNullWindow); }),
                  ENGINE_EXC_INDEX)
            << i;
    }
}

TEST_F(SetLoadingTest, FilesOfAnotherSourceFailWithMinusSevenNamingTheFirstThatDiffers) {
    const SetLoadResult r = loadTitles({"Alfa", "Beta", "Zeta", "Gama"});
    EXPECT_EQ(r.setIndex, -1);
    EXPECT_EQ(r.status, -7);
    EXPECT_EQ(r.failingIndex, indexOf("Zeta"));
    expectNothingLoaded();
    EXPECT_EQ(engine->setSlotCount(), 0u);
}

TEST_F(SetLoadingTest, BadListsAreRefusedBeforeAnythingIsLoaded) {
    const std::int32_t a = indexOf("Alfa");
    const std::int32_t size = static_cast<std::int32_t>(engine->catalogue().size());
    const struct {
        std::vector<std::int32_t> list;
        EngineCode code;
    } cases[] = {
        {{}, ENGINE_EXC_BAD_ARGUMENT},
        {{a, a}, ENGINE_EXC_BAD_ARGUMENT},
        {{a, -1}, ENGINE_EXC_INDEX},
        {{a, size}, ENGINE_EXC_INDEX},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(codeOf([&] { load(c.list); }), c.code) << c.list.size();
        expectNothingLoaded();
    }
}

// Window procedure on the loader's own thread: the send is a direct call.
struct CancellingWindow {
    cJizdniRadyGlobal* engine = nullptr;
    int cancelAt = -1;  // progress percent of the file being read when the user cancels
    std::uintptr_t cancelAfterStart = 0;
    bool seenStart = false;
    platform::WindowHandle handle = platform::kNullWindow;

    CancellingWindow(cJizdniRadyGlobal& e, std::uintptr_t startOfFile, int percent)
        : engine(&e), cancelAt(percent), cancelAfterStart(startOfFile) {
        handle = platform::createWindow(
            [this](platform::WindowHandle, std::uint32_t msg, std::uintptr_t w, std::intptr_t) {
                if (msg == platform::WM_ENGINE_START && w == cancelAfterStart) {
                    seenStart = true;
                }
                if (msg == platform::WM_ENGINE_PROGRESS && seenStart &&
                    static_cast<int>(w) == cancelAt) {
                    engine->cancelLoading();
                }
                return platform::MsgResult{0};
            });
    }
    ~CancellingWindow() { platform::destroyWindow(handle); }
};

TEST_F(SetLoadingTest, ACancelledLoadLeavesNoFileLoadedThatWasNotLoadedBefore) {
    ASSERT_EQ(loadTitles({"Alfa"}).setIndex, 0);
    const cJizdniRad* alfa = entryOf("Alfa").loaded.get();
    const auto gama = static_cast<std::uintptr_t>(indexOf("Gama"));
    // Cancel points while the third file is read: before its first section, inside the
    // trips, inside the passages, and once it is complete.
    for (const int percent : {0, 30, 46, 70, 100}) {
        SCOPED_TRACE(percent);
        CancellingWindow window(*engine, gama, percent);
        const SetLoadResult r = loadTitles({"Alfa", "Beta", "Gama"}, window.handle);
        EXPECT_EQ(r.setIndex, -1);
        EXPECT_EQ(r.status, -2);
        EXPECT_EQ(r.failingIndex, indexOf("Gama"));
        EXPECT_EQ(entryOf("Alfa").useCount, 1u);
        EXPECT_EQ(entryOf("Alfa").loaded.get(), alfa);
        EXPECT_EQ(entryOf("Beta").useCount, 0u);
        EXPECT_FALSE(entryOf("Beta").loaded);
        EXPECT_EQ(entryOf("Gama").useCount, 0u);
        EXPECT_FALSE(entryOf("Gama").loaded);
        EXPECT_EQ(engine->setList().count(), 1u);
        EXPECT_EQ(engine->setList().loadedFileCount(), 1u);
        EXPECT_EQ(engine->setSlotCount(), 1u);
    }
    // The flag is cleared by the next load.
    const SetLoadResult again = loadTitles({"Alfa", "Beta", "Gama"});
    EXPECT_EQ(again.setIndex, 1);
    EXPECT_EQ(entryOf("Gama").useCount, 1u);
}

// The file is damaged or gone after the catalogue was read: the load is refused with the
// damaged-file status naming that file, not raised as a failure of the engine.
TEST_F(SetLoadingTest, AFailedLoadGivesBackEveryFileItTook) {
    ASSERT_EQ(loadTitles({"Alfa"}).setIndex, 0);
    const std::string gamaPath = paths[2];
    std::vector<std::uint8_t> gama;
    {
        std::ifstream in(gamaPath, std::ios::binary);
        gama.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const struct {
        const char* what;
        std::function<void()> damage;
    } cases[] = {
        {"truncated",
         [&] {
             writeBytes(gamaPath, {gama.begin(), gama.begin() + 150});
         }},
        {"garbled",
         [&] {
             std::vector<std::uint8_t> bad = gama;
             for (std::size_t i = 40; i < bad.size(); ++i) {
                 bad[i] = static_cast<std::uint8_t>(bad[i] ^ 0x5A);
             }
             writeBytes(gamaPath, bad);
         }},
        {"removed", [&] { std::filesystem::remove(gamaPath); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.damage();
        const SetLoadResult refused = loadTitles({"Alfa", "Beta", "Gama"});
        EXPECT_EQ(refused.setIndex, -1);
        EXPECT_EQ(refused.status, kLoadDamaged);
        EXPECT_EQ(refused.failingIndex, indexOf("Gama"));
        EXPECT_EQ(entryOf("Alfa").useCount, 1u);
        EXPECT_TRUE(entryOf("Alfa").loaded);
        EXPECT_EQ(entryOf("Beta").useCount, 0u);
        EXPECT_FALSE(entryOf("Beta").loaded);
        EXPECT_EQ(entryOf("Gama").useCount, 0u);
        EXPECT_FALSE(entryOf("Gama").loaded);
        EXPECT_EQ(engine->setList().count(), 1u);
        EXPECT_EQ(engine->setList().loadedFileCount(), 1u);
        EXPECT_EQ(engine->setSlotCount(), 1u);
    }
    // Mended, the same list loads.
    writeBytes(gamaPath, gama);
    EXPECT_EQ(loadTitles({"Alfa", "Beta", "Gama"}).setIndex, 1);
}

// Records the messages of a load on the loader's own thread.
struct RecordingWindow {
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> messages;
    platform::WindowHandle handle = platform::kNullWindow;
    RecordingWindow() {
        handle = platform::createWindow(
            [this](platform::WindowHandle, std::uint32_t msg, std::uintptr_t w, std::intptr_t) {
                messages.emplace_back(msg, w);
                return platform::MsgResult{0};
            });
    }
    ~RecordingWindow() { platform::destroyWindow(handle); }
    std::size_t count(std::uint32_t msg) const {
        std::size_t n = 0;
        for (const auto& m : messages) {
            n += m.first == msg ? 1 : 0;
        }
        return n;
    }
};

TEST_F(SetLoadingTest, ChangingASetKeepsItsIndexAndSharesTheFilesItKeeps) {
    ASSERT_EQ(loadTitles({"Alfa", "Beta"}).setIndex, 0);
    const cJizdniRad* beta = entryOf("Beta").loaded.get();

    RecordingWindow window;
    const std::vector<std::int32_t> list{indexOf("Beta"), indexOf("Gama")};
    const SetLoadResult r = engine->zmenSestavu(0, list, window.handle);
    EXPECT_EQ(r.setIndex, 0);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(engine->headerIndexesOf(0), list);
    // Beta was not read again: only Gama's load reported progress, once up to 100.
    EXPECT_EQ(entryOf("Beta").loaded.get(), beta);
    EXPECT_EQ(&engine->getSestava(0).combination().timetable(0), beta);
    EXPECT_EQ(window.count(platform::WM_ENGINE_START), 1u);
    EXPECT_EQ(window.messages.front(),
              std::make_pair(platform::WM_ENGINE_START, static_cast<std::uintptr_t>(list[1])));
    EXPECT_EQ(window.messages.back(),
              std::make_pair(platform::WM_ENGINE_PROGRESS, static_cast<std::uintptr_t>(100)));
    EXPECT_EQ(entryOf("Alfa").useCount, 0u);
    EXPECT_FALSE(entryOf("Alfa").loaded);
    EXPECT_EQ(entryOf("Beta").useCount, 1u);
    EXPECT_EQ(entryOf("Gama").useCount, 1u);
    EXPECT_EQ(engine->setList().count(), 1u);
}

TEST_F(SetLoadingTest, ChangingOneOfTwoSetsSharingACombinationLeavesTheOther) {
    loadTitles({"Alfa", "Beta"});
    loadTitles({"Alfa", "Beta"});
    const std::vector<std::int32_t> list{indexOf("Alfa")};
    EXPECT_EQ(engine->zmenSestavu(1, list, platform::kNullWindow).setIndex, 1);
    EXPECT_EQ(engine->getSestava(0).combination().useCount(), 1u);
    EXPECT_EQ(engine->getSestava(0).combination().count(), 2u);
    EXPECT_EQ(engine->headerIndexesOf(1), list);
    EXPECT_EQ(entryOf("Alfa").useCount, 2u);
    EXPECT_EQ(entryOf("Beta").useCount, 1u);
    EXPECT_EQ(engine->setList().count(), 2u);
}

TEST_F(SetLoadingTest, AChangeThatEndsWithAStatusFreesTheOldSet) {
    ASSERT_EQ(loadTitles({"Alfa", "Beta"}).setIndex, 0);
    const std::vector<std::int32_t> list{indexOf("Alfa"), indexOf("Zeta")};
    const SetLoadResult r = engine->zmenSestavu(0, list, platform::kNullWindow);
    EXPECT_EQ(r.setIndex, -1);
    EXPECT_EQ(r.status, -7);
    EXPECT_EQ(r.failingIndex, indexOf("Zeta"));
    EXPECT_EQ(codeOf([&] { engine->getSestava(0); }), ENGINE_EXC_INDEX);
    expectNothingLoaded();
    EXPECT_EQ(loadTitles({"Gama"}).setIndex, 1);
}

TEST_F(SetLoadingTest, AChangeCancelledWhileReadingANewFileFreesTheOldSetAndItsFiles) {
    ASSERT_EQ(loadTitles({"Alfa", "Beta"}).setIndex, 0);
    CancellingWindow window(*engine, static_cast<std::uintptr_t>(indexOf("Gama")), 40);
    const std::vector<std::int32_t> list{indexOf("Beta"), indexOf("Gama")};
    const SetLoadResult r = engine->zmenSestavu(0, list, window.handle);
    EXPECT_EQ(r.status, -2);
    EXPECT_EQ(r.failingIndex, indexOf("Gama"));
    EXPECT_EQ(codeOf([&] { engine->getSestava(0); }), ENGINE_EXC_INDEX);
    expectNothingLoaded();
}

TEST_F(SetLoadingTest, AChangeWithABadListLeavesTheSetAsItWas) {
    ASSERT_EQ(loadTitles({"Alfa", "Beta"}).setIndex, 0);
    const std::vector<std::int32_t> bad{indexOf("Alfa"), 99};
    EXPECT_EQ(codeOf([&] { engine->zmenSestavu(0, bad, platform::kNullWindow); }),
              ENGINE_EXC_INDEX);
    EXPECT_EQ(engine->headerIndexesOf(0),
              (std::vector<std::int32_t>{indexOf("Alfa"), indexOf("Beta")}));
    EXPECT_EQ(entryOf("Alfa").useCount, 1u);
    EXPECT_EQ(entryOf("Beta").useCount, 1u);
}

TEST_F(SetLoadingTest, AChangeThatFailsAfterTheOldFilesWentBackFreesTheSet) {
    ASSERT_EQ(loadTitles({"Alfa", "Beta"}).setIndex, 0);
    std::filesystem::remove(paths[2]);  // Gama
    const std::vector<std::int32_t> list{indexOf("Beta"), indexOf("Gama")};
    const SetLoadResult r = engine->zmenSestavu(0, list, platform::kNullWindow);
    EXPECT_EQ(r.status, kLoadDamaged);
    EXPECT_EQ(r.failingIndex, indexOf("Gama"));
    EXPECT_EQ(codeOf([&] { engine->getSestava(0); }), ENGINE_EXC_INDEX);
    expectNothingLoaded();
}

TEST_F(SetLoadingTest, HeaderIndexesFollowARescanOfTheCatalogue) {
    loadTitles({"Gama", "Alfa"});
    addFile("first", [] {
        nlohmann::json d = setFile("Aaa", 9, 0, 900);
        d["header"]["texts"] = {"a", "0", "c"};  // sorts before the others
        return d;
    }());
    engine->catalogue().nactiHlavicky(paths);
    EXPECT_EQ(engine->headerIndexesOf(0),
              (std::vector<std::int32_t>{indexOf("Gama"), indexOf("Alfa")}));
    EXPECT_EQ(entryOf("Gama").useCount, 1u);
}

}  // namespace
}  // namespace trasovnik::testing
