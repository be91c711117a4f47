#include "app/core/LanguageLibrary.h"

#include "CoreTestSupport.h"
#include "app/core/ActualizeValue.h"
#include "app/core/CoreCheck.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/resources/StringTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;
using platform::resources::loadResString;

class LanguageLibraryTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::resources::useStringTable(nullptr, 0);
        platform::resources::useMenuTemplates(nullptr, 0);
    }

    // The text of the top-level item (soft key) at `position` of menu `id`.
    static std::u16string softKey(std::uint32_t id, std::size_t position) {
        const auto* menu = platform::resources::findMenuTemplate(id);
        if (menu == nullptr || menu->topLevel().size() <= position) return u"<none>";
        return std::u16string(menu->topLevel()[position].text);
    }
};

TEST_F(LanguageLibraryTest, NameFollowsTheCountryCode) {
    EXPECT_EQ(languageLibraryPath("/opt/p", 1), fs::path("/opt/p/libPelorvantSK.so"));
    EXPECT_EQ(languageLibraryPath("/opt/p", 0), fs::path("/opt/p/libPelorvantCZ.so"));
}

TEST_F(LanguageLibraryTest, SlovakLibraryReplacesTheTexts) {
    ASSERT_TRUE(loadLanguageResources(TRASA_PROGRAM_DIR, 1));
    EXPECT_EQ(loadResString(128), u"Pelorvant");
    EXPECT_NE(loadResString(138), u"???");
    EXPECT_NE(loadResString(280), u"???");
    EXPECT_EQ(loadResString(350), u"\u00C1no");
    EXPECT_EQ(loadResString(344), u"Upozornenie");
}

TEST_F(LanguageLibraryTest, SlovakLibraryReplacesTheMenus) {
    ASSERT_TRUE(loadLanguageResources(TRASA_PROGRAM_DIR, 1));
    EXPECT_EQ(softKey(1053, 0), u"N\u00E1jdi");
    EXPECT_EQ(softKey(130, 0), u"Sp\u00E4\u0165");
    EXPECT_EQ(softKey(1057, 1), u"Zru\u0161i\u0165");
    // The same menus as the built-in ones, only worded in Slovak.
    ASSERT_EQ(platform::resources::menuTemplates().size(), platform::resources::builtInMenuTemplates().size());
}

TEST_F(LanguageLibraryTest, MissingLibraryKeepsTheBuiltInTextsSilently) {
    EXPECT_FALSE(loadLanguageResources("/nonexistent", 1));
    EXPECT_FALSE(loadLanguageResources(TRASA_PROGRAM_DIR, 0));  // no Czech library: built in
    EXPECT_EQ(loadResString(350), u"Ano");
    EXPECT_EQ(softKey(1053, 0), u"Najdi");
    EXPECT_EQ(softKey(130, 0), u"Zp\u011Bt");
}

class GpsQuestionTest : public testing::RealEngineTest {};

TEST_F(GpsQuestionTest, AskedOncePerInstallationWhateverTheAnswer) {
    platform::services::MemoryRegistry registry;
    testing::RecordingHooks hooks;
    testing::RecordingNotice notice;
    notice.answer = false;
    const EngineIni ini(api());
    loadLanguageLibrary(settings, DeviceFacts{}, ini, registry, hooks, notice);
    ASSERT_EQ(notice.questions.size(), 1u);
    EXPECT_EQ(notice.questions[0].caption, u"GPS");
    EXPECT_EQ(notice.questions[0].text, loadResString(424));
    EXPECT_FALSE(settings.isgps);
    EXPECT_TRUE(settings.wasgpsq);

    createEngine();  // the next start reads the flushed store
    AppSettings next;
    next.programFolder = settings.programFolder;
    loadLanguageLibrary(next, DeviceFacts{}, ini, registry, hooks, notice);
    EXPECT_EQ(notice.questions.size(), 1u);
    EXPECT_TRUE(next.wasgpsq);
}

TEST_F(GpsQuestionTest, AQuestionEndedWithoutAnAnswerStoresNothingAndIsAskedAgain) {
    platform::services::MemoryRegistry registry;
    testing::RecordingHooks hooks;
    testing::RecordingNotice notice;
    notice.answered = false;
    const EngineIni ini(api());
    EXPECT_FALSE(loadLanguageLibrary(settings, DeviceFacts{}, ini, registry, hooks, notice));
    EXPECT_FALSE(settings.wasgpsq);
    EXPECT_FALSE(ini.readBool(u"setup", u"wasgpsq", false));
    EXPECT_FALSE(registry.readString(kProgramRegistryKey, kActualizeValueName, kActualizeMaxBytes)
                     .has_value())
        << "the state was not saved either";

    createEngine();
    AppSettings next;
    next.programFolder = settings.programFolder;
    notice.answered = true;
    notice.answer = true;
    EXPECT_TRUE(loadLanguageLibrary(next, DeviceFacts{}, ini, registry, hooks, notice));
    EXPECT_EQ(notice.questions.size(), 2u) << "asked again";
    EXPECT_TRUE(next.isgps);
    EXPECT_TRUE(next.wasgpsq);
}

// Runs the built program from `program` with its own data and configuration folders; the exit
// status and what it wrote to both streams.
struct ProgramRun {
    int status = -1;
    std::string output;
};

ProgramRun runProgram(const fs::path& program, const fs::path& home) {
    const std::string command = "XDG_DATA_HOME='" + (home / "share").string() + "' XDG_CONFIG_HOME='" +
                                (home / "config").string() + "' '" + program.string() + "' 2>&1";
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.output += buffer;
    run.status = ::pclose(pipe);
    return run;
}

TEST(CoreCheck, ProgramWithoutTheEngineBesideItEndsWithText138) {
    testing::TempFolder folder;
    const fs::path program = folder.path() / "bin" / "pelorvant_check";
    fs::create_directories(program.parent_path());
    fs::copy_file(fs::path(TRASA_PROGRAM_DIR) / "pelorvant_check", program);
    const ProgramRun run = runProgram(program, folder.path());
    EXPECT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 1) << run.output;
    EXPECT_NE(run.output.find(toUtf8(loadResString(138))), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Chyba v programu"), std::string::npos) << run.output;
}

TEST(CoreCheck, ProgramListsTheHeadersOfItsDataFolder) {
    testing::TempFolder folder;
    const fs::path data = folder.path() / "share" / "pelorvant" / "data";
    fs::create_directories(data);
    fs::copy_file(fs::path(TRASA_FIXTURE_DIR) / "city_v40.jz", data / "city.jz");
    const ProgramRun run = runProgram(fs::path(TRASA_PROGRAM_DIR) / "pelorvant_check", folder.path());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("timetables: 1"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("MHD Horn\xC3\xAD Lhota 07"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace pelorvant
