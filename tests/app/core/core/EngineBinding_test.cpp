#include "app/core/EngineBinding.h"

#include "app/core/ExceptionExit.h"
#include "app/core/EngineExportList.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace pelorvant {
namespace {

std::uint32_t bindFailure(const char* path) {
    try {
        EngineLibrary::open(path);
    } catch (const ExceptionExit& exit) {
        return exit.textId();
    }
    return 0;
}

TEST(EngineBinding, RealEngineBindsEveryExportAndAnswers) {
    const auto library = EngineLibrary::open(TRASA_LIBRARY_PATH);
    const EngineApi& api = library->api();
    int bound = 0;
#define COUNT_BOUND(name) bound += api.name != nullptr ? 1 : 0;
    PELORVANT_ENGINE_EXPORTS(COUNT_BOUND)
#undef COUNT_BOUND
    EXPECT_EQ(bound, 96);
    char* text = nullptr;
    std::int32_t length = 0;
    ASSERT_EQ(api.api_getVerziKnihovny(&text, &length), ENGINE_OK);
    EXPECT_EQ(std::string(text, static_cast<std::size_t>(length)), "4.4.1");
    std::free(text);
}

// The stub has every bound export but not api_getPocetElementuKategorie, which the program
// does not need.
TEST(EngineBinding, LibraryWithoutTheUnusedExportBinds) {
    EXPECT_NO_THROW(EngineLibrary::open(TRASA_STUB_FULL_PATH));
}

TEST(EngineBinding, MissingExportOrLibraryEndsWithText138) {
    EXPECT_EQ(bindFailure(TRASA_STUB_MISSING_PATH), kTextEngineLibraryMissing);
    EXPECT_EQ(bindFailure("/nonexistent/libTrasovnik.so"), kTextEngineLibraryMissing);
    EXPECT_EQ(bindFailure(TRASA_SOURCE_DIR "/README.md"), kTextEngineLibraryMissing);
}

// (A program folder without the engine is tested through the program itself.)
TEST(EngineBinding, ProcessBindingComesFromTheProgramFolderOnce) {
    const std::string path = TRASA_LIBRARY_PATH;
    const EngineApi& api = bindEngineLibrary(path.substr(0, path.rfind('/')));
    EXPECT_NE(api.api_IniFlush, nullptr);
    EXPECT_EQ(&bindEngineLibrary("/elsewhere"), &api);  // bound once for the process
}

}  // namespace
}  // namespace pelorvant
