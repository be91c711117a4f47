#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "platform/core/MessageIds.h"
#include "tests/engine/EngineMessageWindow.h"
#include "tests/engine/api/ApiFixture.h"

namespace trasovnik::testing {
namespace {

// A window on its own thread that asks the engine to stop loading at the first progress step
// of a load once armed, as the program's cancel button does.
class CancellingWindow {
public:
    TrasaWindow handle() const { return static_cast<TrasaWindow>(window_.window()); }
    void arm() { armed_.store(true); }

private:
    std::atomic<bool> armed_{false};
    EngineMessageWindow window_{[this](const EngineMessage& m) {
        if (m.message == platform::WM_ENGINE_PROGRESS && armed_.exchange(false)) {
            EXPECT_EQ(api_CancelNacitani(), ENGINE_OK);
        }
    }};
};

using SetExports = ApiFixture;

TEST_F(SetExports, CancelledLoadAddsNoSet) {
    const int32_t first = loadSet({kRegionalTitle});
    CancellingWindow ui;
    ui.arm();
    int32_t city = catalogueIndex(kCityTitle);
    int32_t set = 99;
    int32_t failing = 99;
    ASSERT_EQ(api_nactiSestavuJizdnichRadu(&city, 1, &set, &failing, ui.handle()), ENGINE_OK);
    EXPECT_EQ(set, ENGINE_LOAD_CANCELLED);
    EXPECT_EQ(failing, city);
    // The flag is cleared by the next load, which gets the next index.
    ASSERT_EQ(api_nactiSestavuJizdnichRadu(&city, 1, &set, &failing, ui.handle()), ENGINE_OK);
    EXPECT_EQ(set, first + 1);
    EXPECT_EQ(failing, -1);
}

TEST_F(SetExports, FailedChangeReleasesTheOldSet) {
    const int32_t set = loadSet({kRegionalTitle});
    CancellingWindow ui;
    ui.arm();
    int32_t list[2] = {catalogueIndex(kRegionalTitle), catalogueIndex(kCityTitle)};
    int32_t inOut = set;
    int32_t failing = 99;
    ASSERT_EQ(api_zmenSestavuJizdnichRadu(&inOut, list, 2, &failing, ui.handle()), ENGINE_OK);
    EXPECT_EQ(inOut, ENGINE_LOAD_CANCELLED);
    EXPECT_EQ(failing, list[1]);
    int32_t* indexes = nullptr;
    int32_t count = 0;
    EXPECT_EQ(api_GetIndexyHlavicekSestavy(set, &indexes, &count), ENGINE_ERROR);
    EXPECT_EQ(indexes, nullptr);
}

TEST_F(SetExports, ChangeKeepsTheIndex) {
    const int32_t set = loadSet({kRegionalTitle});
    int32_t list[2] = {catalogueIndex(kCityTitle), catalogueIndex(kRegionalTitle)};
    int32_t inOut = set;
    int32_t failing = 99;
    ASSERT_EQ(api_zmenSestavuJizdnichRadu(&inOut, list, 2, &failing, 0), ENGINE_OK);
    EXPECT_EQ(inOut, set);
    EXPECT_EQ(failing, -1);
    int32_t* indexes = nullptr;
    int32_t count = 0;
    ASSERT_EQ(api_GetIndexyHlavicekSestavy(set, &indexes, &count), ENGINE_OK);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(indexes[0], list[0]);
    EXPECT_EQ(indexes[1], list[1]);
    std::free(indexes);
}

TEST_F(SetExports, BadListsFail) {
    int32_t set = 99;
    int32_t failing = 99;
    int32_t outside = 2;
    int32_t twice[2] = {0, 0};
    EXPECT_EQ(api_nactiSestavuJizdnichRadu(nullptr, 0, &set, &failing, 0), ENGINE_ERROR);
    EXPECT_EQ(api_nactiSestavuJizdnichRadu(&outside, 1, &set, &failing, 0), ENGINE_ERROR);
    EXPECT_EQ(api_nactiSestavuJizdnichRadu(twice, 2, &set, &failing, 0), ENGINE_ERROR);
    EXPECT_EQ(api_nactiSestavuJizdnichRadu(nullptr, 1, &set, &failing, 0), ENGINE_ERROR);
    EXPECT_EQ(api_nactiSestavuJizdnichRadu(twice, -1, &set, &failing, 0), ENGINE_ERROR);
    EXPECT_EQ(api_nactiSestavuJizdnichRadu(twice, 1, nullptr, &failing, 0), ENGINE_ERROR);
    EXPECT_EQ(api_zrusSestavuJizdnichRadu(0), ENGINE_ERROR);
}

TEST_F(SetExports, EngineWithoutStoreAnswersDefaults) {
    char* value = nullptr;
    int32_t length = 0;
    ASSERT_EQ(api_IniWriteString("setup", 5, "a", 1, "b", 1), ENGINE_OK);
    ASSERT_EQ(api_IniReadString("setup", 5, "a", 1, "dflt", 4, &value, &length), ENGINE_OK);
    EXPECT_EQ(std::string(value, static_cast<std::size_t>(length)), "dflt");
    std::free(value);
    uint8_t flag = 0;
    ASSERT_EQ(api_IniReadBool("setup", 5, "a", 1, 7, &flag), ENGINE_OK);
    EXPECT_EQ(flag, 7);
    EXPECT_EQ(api_IniFlush(), ENGINE_OK);
    EXPECT_EQ(api_IniReadString("setup", -1, "a", 1, "", 0, &value, &length), ENGINE_ERROR);
}

}  // namespace
}  // namespace trasovnik::testing
