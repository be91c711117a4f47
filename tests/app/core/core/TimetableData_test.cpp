#include "app/core/TimetableData.h"

#include "CoreTestSupport.h"
#include "platform/resources/StringTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include <dlfcn.h>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;
using platform::resources::loadResString;
using testing::RealEngineTest;
using testing::RecordingNotice;

const fs::path kFixtures = TRASA_FIXTURE_DIR;

void copyFixture(const char* name, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy_file(kFixtures / name, to, fs::copy_options::overwrite_existing);
}

struct CreationCase {
    std::int32_t status;
    std::int32_t versionStep;
    std::uint32_t text;  // 0: no box, the engine is usable
};

class EngineCreationTest : public ::testing::TestWithParam<CreationCase> {};

TEST_P(EngineCreationTest, FailuresShowTheirTextAndEndTheProgram) {
    const CreationCase& c = GetParam();
    const auto library = EngineLibrary::open(TRASA_STUB_FULL_PATH);
    void* handle = ::dlopen(TRASA_STUB_FULL_PATH, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    const auto arrange = reinterpret_cast<void (*)(std::int32_t, std::int32_t)>(::dlsym(handle, "stubArrangeCreation"));
    arrange(c.status, c.versionStep);
    ::dlclose(handle);

    testing::TempFolder folder;
    AppSettings settings;
    settings.dataFolder = folder.path() / "new" / "data";
    platform::services::MemoryRegistry registry;
    RecordingNotice notice;
    TimetableData data(library->api(), settings, registry, notice);
    EXPECT_EQ(data.createEngine(), c.text == 0);
    EXPECT_TRUE(fs::is_directory(settings.dataFolder));
    if (c.text == 0) {
        EXPECT_TRUE(notice.boxes.empty());
    } else {
        ASSERT_EQ(notice.boxes.size(), 1u);
        EXPECT_EQ(notice.boxes[0].text, loadResString(c.text));
        EXPECT_EQ(notice.boxes[0].caption, u"Chyba");
    }
}

INSTANTIATE_TEST_SUITE_P(Statuses, EngineCreationTest,
                         ::testing::Values(CreationCase{0, 1, 0}, CreationCase{-1, 1, 279}, CreationCase{-2, 1, 279},
                                           CreationCase{-3, 1, 280}, CreationCase{-4, 1, 279},
                                           CreationCase{-9, 1, 279},   // a status no engine should give
                                           CreationCase{0, 0, 279},    // answers 1004: an older engine
                                           CreationCase{0, 2, 279}));  // answers 1006: another interface

class TimetableDataTest : public RealEngineTest {
protected:
    TimetableData makeData() { return TimetableData(api(), settings, registry, notice); }
    platform::services::MemoryRegistry registry;
    RecordingNotice notice;
};

TEST_F(TimetableDataTest, CreatesTheEngineWithItsStoreInTheDataFolder) {
    TimetableData data = makeData();
    ASSERT_TRUE(data.createEngine());
    EXPECT_TRUE(notice.boxes.empty());
    EngineIni ini(api());
    ASSERT_TRUE(ini.writeInt(u"setup", u"qb1", 4));
    ASSERT_TRUE(ini.flush());
    EXPECT_TRUE(fs::is_regular_file(settings.dataFolder / "nastaveni.ini"));
}

TEST_F(TimetableDataTest, ScanListsDataFolderThenStorageFoldersAndTheFirstNameWins) {
    const fs::path cardA = folder.path() / "card a";
    const fs::path cardB = folder.path() / "cardB";
    copyFixture("city_v40.jz", settings.dataFolder / "city.jz");
    copyFixture("regional_v33.jz", cardA / "pelorvant" / "data" / "city.jz");  // same name: hidden
    copyFixture("regional_v33.jz", cardA / "pelorvant" / "data" / "REGION.JZ");
    testing::writeFile(cardB / "pelorvant" / "data" / "notes.txt", "not a timetable");
    copyFixture("st-city.jz", cardB / "pelorvant" / "data" / "stops.Jz");
    testing::writeFile(cardB / "pelorvant" / "data" / "temp.jz", "half a download");
    registry.writeString(kProgramRegistryKey, "Path",
                         "$" + cardA.string() + "$|relative/card|$" + cardB.string() + "$|/missing");
    TimetableData data = makeData();
    data.loadHeaders();

    EXPECT_EQ(data.fileNames(), (std::vector<std::string>{"city.jz", "REGION.JZ", "stops.Jz"}));
    EXPECT_EQ(data.filePaths()[0], settings.dataFolder / "city.jz");
    EXPECT_EQ(data.filePaths()[1], cardA / "pelorvant" / "data" / "REGION.JZ");
    EXPECT_FALSE(fs::exists(cardB / "pelorvant" / "data" / "temp.jz"));
    ASSERT_EQ(data.headers().size(), 3u);
    std::vector<std::u16string> titles;
    for (const auto& h : data.headers()) titles.push_back(h.title);
    EXPECT_NE(std::find(titles.begin(), titles.end(), u"MHD Horn\u00ED Lhota 07"), titles.end());
    EXPECT_NE(std::find(titles.begin(), titles.end(), u"MHD Zelen\u00E1 Hora"), titles.end());
    // Every folder lies on one disk, whose free space other processes change between the
    // looks: any folder that holds timetables may be chosen, never a missing one.
    EXPECT_THAT(settings.downloadFolder,
                ::testing::AnyOf(settings.dataFolder, cardA / "pelorvant" / "data", cardB / "pelorvant" / "data"));
    EXPECT_GT(settings.downloadFolderFree, 0);
}

TEST_F(TimetableDataTest, StorageFoldersDropDollarsAndNonAbsoluteParts) {
    TimetableData data = makeData();
    EXPECT_TRUE(data.readStorageFolders().empty());
    registry.writeString(kProgramRegistryKey, "Path", "$/media/card1$|$/media/card2$||x");
    EXPECT_EQ(data.readStorageFolders(), (std::vector<fs::path>{"/media/card1", "/media/card2"}));
    registry.writeString(kProgramRegistryKey, "Path", "/" + std::string(600, 'a'));
    EXPECT_TRUE(data.readStorageFolders().empty());  // over-long counts as missing
}

TEST_F(TimetableDataTest, MissingDataFolderGivesWayToAnExistingFolderWithRoom) {
    fs::remove_all(settings.dataFolder);
    const fs::path card = folder.path() / "card";
    fs::create_directories(card / "pelorvant" / "data");
    registry.writeString(kProgramRegistryKey, "Path", card.string());
    TimetableData data = makeData();
    data.scanTimetableFiles();
    EXPECT_EQ(settings.downloadFolder, card / "pelorvant" / "data");
    EXPECT_GT(settings.downloadFolderFree, 0);
    EXPECT_TRUE(data.fileNames().empty());
}

TEST_F(TimetableDataTest, FindHeaderByNameIgnoresCaseAndKeepsTheTitles) {
    copyFixture("city_v40.jz", settings.dataFolder / "city.jz");
    TimetableData data = makeData();
    data.loadHeaders();
    ASSERT_EQ(data.headers().size(), 1u);
    EXPECT_EQ(data.findHeaderByName(u"mhd HORN\u00CD lhota 07"), 0);
    EXPECT_EQ(data.findHeaderByName(u"MHD Horni Lhota 07"), -1);
    EXPECT_EQ(data.findHeaderByName(u""), -1);
    EXPECT_EQ(data.headers()[0].title, u"MHD Horn\u00ED Lhota 07");  // not lower-cased in place
}

class LoadedSetTest : public TimetableDataTest {
protected:
    void loadSet(std::initializer_list<const char*> fixtures) {
        for (const char* f : fixtures) copyFixture(f, settings.dataFolder / f);
        data_ = std::make_unique<TimetableData>(api(), settings, registry, notice);
        data_->loadHeaders();
        std::vector<std::int32_t> all;
        for (std::size_t i = 0; i < data_->headers().size(); ++i) all.push_back(static_cast<std::int32_t>(i));
        std::int32_t failing = -1;
        ASSERT_EQ(api().api_nactiSestavuJizdnichRadu(all.data(), static_cast<std::int32_t>(all.size()), &set, &failing, 0),
                  ENGINE_OK);
        ASSERT_GE(set, 0);
    }
    TimetableData& data() { return *data_; }
    std::int32_t set = -1;

private:
    std::unique_ptr<TimetableData> data_;
};

TEST_F(LoadedSetTest, SetNameAndQueries) {
    loadSet({"city_v40.jz"});
    EXPECT_EQ(data().getSetName(set), u"Horn\u00ED Lhota");
    EXPECT_EQ(data().getSetTimetableNames(set), (std::vector<std::u16string>{u"MHD Horn\u00ED Lhota 07"}));
    EXPECT_TRUE(data().setHasGpsPositions(set));
    ASSERT_NE(data().getSetHeader(set, 0), nullptr);
    EXPECT_EQ(data().getSetHeader(set, 1), nullptr);
    EXPECT_EQ(data().getSetHeader(set, -1), nullptr);
    EXPECT_TRUE(notice.boxes.empty());
    data().updateCategoryCounts(set);
    EXPECT_GT(data().headers()[0].categoryKindCount, 0);
}

TEST_F(LoadedSetTest, SetOfSeveralTimetablesIsNamedByInitials) {
    loadSet({"search-city.jz", "search-region.jz"});
    std::u16string expected;
    for (int n = 0; n < 2; ++n) {
        if (n > 0) expected += u"+";
        expected += data().getSetHeader(set, n)->shortName().front();
    }
    EXPECT_EQ(data().getSetName(set), expected);
    EXPECT_EQ(expected.size(), 3u);
}

TEST_F(LoadedSetTest, EmptySetNameShowsItsBox) {
    loadSet({"city_v40.jz"});
    EXPECT_EQ(data().getSetName(set + 5), u"");
    ASSERT_EQ(notice.boxes.size(), 1u);
    EXPECT_EQ(notice.boxes[0].text, u"if (nIndexyHlavicekLength < 1)");
    EXPECT_EQ(notice.boxes[0].caption, u"Chyba");
}

TEST_F(LoadedSetTest, FavouritesReportTheirErrorsWithTheirTexts) {
    loadSet({"app-kinds.jz"});
    TrasaTriple* triple = static_cast<TrasaTriple*>(std::malloc(sizeof(TrasaTriple)));
    *triple = TrasaTriple{0, 1, 0};
    TrasaPlace place{triple, 1, 0};

    EXPECT_EQ(data().FavouriteAdd(set, place), 0);
    EXPECT_TRUE(notice.boxes.empty());
    EXPECT_EQ(data().FavouriteAdd(set, place), 2);
    ASSERT_EQ(notice.boxes.size(), 1u);
    EXPECT_EQ(notice.boxes[0].text, loadResString(161));
    EXPECT_EQ(notice.boxes[0].caption, u"Chyba");

    EXPECT_EQ(data().FavouriteDelete(set, place), 0);
    EXPECT_EQ(data().FavouriteDelete(set, place), 1);
    ASSERT_EQ(notice.boxes.size(), 2u);
    EXPECT_EQ(notice.boxes[1].text, loadResString(204));

    // Twenty places fill the list; the twenty-first is refused with text 160.
    int added = 0;
    std::int32_t last = 0;
    for (std::int32_t kind = 0; kind < 3 && last == 0; ++kind) {
        for (std::int32_t element = 0; element < 12 && last == 0; ++element) {
            *triple = TrasaTriple{0, kind, element};
            const std::int32_t result = data().FavouriteAdd(set, place);
            if (result == 0) ++added;
            if (result > 0) last = result;  // -1: no such element in this kind
        }
    }
    EXPECT_EQ(added, 20);
    EXPECT_EQ(last, 3);
    EXPECT_EQ(notice.boxes.back().text, loadResString(160));
    std::free(place.items);
}

// A store that cannot be written (the temporary file's name taken by a folder, as a full disk
// refuses the bytes): adding and removing a favourite say that they were not saved, and the
// favourite stays in the list for the session.
TEST_F(LoadedSetTest, AFavouriteThatCannotBeWrittenSaysSo) {
    loadSet({"app-kinds.jz"});
    std::filesystem::create_directories(settings.dataFolder / "nasTemp.dat" / "blocked");
    TrasaTriple* triple = static_cast<TrasaTriple*>(std::malloc(sizeof(TrasaTriple)));
    *triple = TrasaTriple{0, 1, 0};
    TrasaPlace place{triple, 1, 0};
    EXPECT_EQ(data().FavouriteAdd(set, place), 0);
    ASSERT_EQ(notice.boxes.size(), 1u);
    EXPECT_NE(notice.boxes[0].text.find(u"nepoda\u0159ilo zapsat na disk"), std::u16string::npos);
    EXPECT_EQ(notice.boxes[0].caption, u"Chyba");
    EXPECT_EQ(data().FavouriteAdd(set, place), 2);  // still there
    EXPECT_EQ(data().FavouriteDelete(set, place), 0);
    ASSERT_EQ(notice.boxes.size(), 3u);
    EXPECT_NE(notice.boxes[2].text.find(u"Odebr\u00E1n\u00ED"), std::u16string::npos);
    std::free(place.items);
}

// The engine's check reads a received file whole and leaves the loaded set alone.
TEST_F(LoadedSetTest, TheFileCheckTellsASoundFileFromADamagedOne) {
    loadSet({"city_v40.jz"});
    const std::filesystem::path sound = settings.dataFolder / "city_v40.jz";
    const std::filesystem::path cut = folder.path() / "cut.jz";
    {
        std::ifstream in(sound, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    }
    EXPECT_EQ(data().checkTimetableFile(sound, platform::kNullWindow), 0);
    EXPECT_EQ(data().checkTimetableFile(cut, platform::kNullWindow), ENGINE_LOAD_DAMAGED);
    EXPECT_EQ(data().getSetName(set), u"Horn\u00ED Lhota");
}

}  // namespace
}  // namespace pelorvant
