#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/data/DayNumber.h"
#include "platform/core/MessageIds.h"
#include "tests/engine/EngineMessageWindow.h"
#include "tests/engine/api/ApiFixture.h"

namespace trasovnik::testing {
namespace {

struct Message {
    std::uint32_t id;
    std::uintptr_t wParam;
    bool operator==(const Message&) const = default;
};

// A window on its own thread recording the engine's messages, as the progress view does.
class RecordingWindow {
public:
    TrasaWindow handle() const { return static_cast<TrasaWindow>(window_.window()); }
    std::vector<Message> take() {
        std::vector<Message> out;
        for (const EngineMessage& m : window_.take()) {
            out.push_back({m.message, m.wParam});
        }
        return out;
    }

private:
    EngineMessageWindow window_;
};

const int16_t kWednesday = dateToDayNumber(2, 12, 2026);
// Elements of the city file's stops kind.
constexpr TrasaTriple kStation{0, 1, 0};
constexpr TrasaTriple kHospital{0, 1, 2};

class SearchRunExports : public ApiFixture {
protected:
    void SetUp() override {
        ApiFixture::SetUp();
        set_ = loadSet({kCityTitle});
    }

    void request(const TrasaTriple* from, int32_t fromCount, const TrasaTriple* to, int32_t toCount,
                 int16_t minute, int16_t day) {
        uint8_t done = 9;
        ASSERT_EQ(api_NastavZadaniHledani(set_, from, fromCount, 0, 0, to, toCount, 0, 0, nullptr,
                                          0, minute, day, 2, 0, &done),
                  ENGINE_OK);
        ASSERT_EQ(done, 0);
    }

    int32_t search(TrasaWindow window = 0) {
        int32_t status = -100;
        EXPECT_EQ(api_HledejCestu(0, kWednesday, &status, window), ENGINE_OK);
        return status;
    }

    int32_t set_ = -1;
};

TEST_F(SearchRunExports, EqualRequestIsAnsweredFromTheStoreWithOneMessage) {
    RecordingWindow ui;
    request(&kStation, 1, &kHospital, 1, 360, kWednesday);
    const int32_t id = search(ui.handle());
    ASSERT_GE(id, 0);
    const std::vector<Message> first = ui.take();
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.front(), (Message{platform::WM_ENGINE_START, ENGINE_START_SEARCH}));
    EXPECT_EQ(first.back(), (Message{platform::WM_ENGINE_PROGRESS, 100}));

    request(&kStation, 1, &kHospital, 1, 360, kWednesday);
    EXPECT_EQ(search(ui.handle()), id);
    EXPECT_EQ(ui.take(), (std::vector<Message>{{platform::WM_ENGINE_PROGRESS, 100}}));
}

TEST_F(SearchRunExports, SearchThatFindsNothingStillStartsAndEnds) {
    RecordingWindow ui;
    // Late on Wednesday evening nothing leaves within the longest window.
    request(&kStation, 1, &kHospital, 1, 23 * 60, kWednesday);
    EXPECT_EQ(search(ui.handle()), ENGINE_SEARCH_NOTHING_FOUND);
    const std::vector<Message> messages = ui.take();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), (Message{platform::WM_ENGINE_START, ENGINE_START_SEARCH}));
    EXPECT_EQ(messages.back(), (Message{platform::WM_ENGINE_PROGRESS, 100}));
}

TEST_F(SearchRunExports, StatusesTravelInTheOutParameter) {
    // No From candidates at all.
    request(nullptr, 0, &kHospital, 1, 360, kWednesday);
    EXPECT_EQ(search(), ENGINE_SEARCH_NO_CANDIDATES);
    // From and To the same stop.
    request(&kStation, 1, &kStation, 1, 360, kWednesday);
    EXPECT_EQ(search(), ENGINE_SEARCH_PLACES_OVERLAP);
    // A day on which the timetable is not valid.
    request(&kStation, 1, &kHospital, 1, 360, dateToDayNumber(1, 6, 2027));
    EXPECT_EQ(search(), ENGINE_SEARCH_NO_VALID_TIMETABLE);
    // Later connections of a result that was never stored.
    uint8_t done = 9;
    ASSERT_EQ(api_NastavZadaniHledaniDalsi(set_, 12345, &done), ENGINE_OK);
    EXPECT_EQ(search(), ENGINE_SEARCH_RESULT_GONE);
}

TEST_F(SearchRunExports, SearchFollowsTheSetOfTheLastRequest) {
    const int32_t other = loadSet({kRegionalTitle});
    request(&kStation, 1, &kHospital, 1, 360, kWednesday);
    const int32_t id = search();
    ASSERT_GE(id, 0);
    int32_t count = 0;
    EXPECT_EQ(api_getVysledekHledani_PocetSpojeni(set_, id, &count), ENGINE_OK);
    // A request for the other set makes it current; the city set's result stays.
    uint8_t done = 9;
    ASSERT_EQ(api_NastavZadaniHledaniDalsi(other, 777, &done), ENGINE_OK);
    EXPECT_EQ(search(), ENGINE_SEARCH_RESULT_GONE);
    EXPECT_EQ(api_getVysledekHledani_PocetSpojeni(set_, id, &count), ENGINE_OK);
}

// The program holds connection records and header texts across calls; a second creation of
// the engine must leave them where they are (a freed engine shows under the address sanitizer).
TEST_F(SearchRunExports, ASecondEngineCreationKeepsTheEngineWithItsSetsAndResults) {
    request(&kStation, 1, &kHospital, 1, 360, kWednesday);
    const int32_t id = search();
    ASSERT_GE(id, 0);
    cSpojeni* held = nullptr;
    ASSERT_EQ(api_getVysledekHledani_Spojeni(set_, id, 0, &held), ENGINE_OK);
    ASSERT_NE(held, nullptr);
    const cSpojeni before = *held;
    const int32_t catalogue = catalogueIndex(kCityTitle);

    int32_t version = ENGINE_INTERFACE_VERSION;
    ASSERT_EQ(api_vytvorJizdniRadyGlobal("", 0, "", 0, &version), ENGINE_OK);
    EXPECT_EQ(version, ENGINE_INTERFACE_VERSION + 1);

    EXPECT_EQ(held->legCount, before.legCount);
    EXPECT_EQ(held->totalMinutes, before.totalMinutes);
    EXPECT_EQ(held->legs[0].departureMinute, before.legs[0].departureMinute);
    cSpojeni* again = nullptr;
    ASSERT_EQ(api_getVysledekHledani_Spojeni(set_, id, 0, &again), ENGINE_OK);
    EXPECT_EQ(again, held);
    EXPECT_EQ(catalogueIndex(kCityTitle), catalogue);
    int32_t* indexes = nullptr;
    int32_t count = 0;
    ASSERT_EQ(api_GetIndexyHlavicekSestavy(set_, &indexes, &count), ENGINE_OK);
    EXPECT_EQ(count, 1);
    std::free(indexes);
}

TEST_F(SearchRunExports, RequestForAMissingSetFails) {
    uint8_t done = 9;
    EXPECT_EQ(api_NastavZadaniHledaniDalsi(set_ + 1, 0, &done), ENGINE_ERROR);
    const TrasaTriple outside{0, 1, 9};
    EXPECT_EQ(api_NastavZadaniHledani(set_, &outside, 1, 0, 0, &kHospital, 1, 0, 0, nullptr, 0, 360,
                                      kWednesday, 2, 0, &done),
              ENGINE_ERROR);
    EXPECT_EQ(done, 9);
}

}  // namespace
}  // namespace trasovnik::testing
