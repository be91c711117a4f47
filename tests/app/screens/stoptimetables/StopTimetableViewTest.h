#pragma once
// The stop-timetable result view over the real engine in the headless backend: a fixture that
// runs a search and shows its result, a recorder of the links the view follows, and the view
// described as its user reads it, for golden text.
#include "StCityEngine.h"

#include "app/screens/stoptimetables/StopTimetableTexts.h"
#include "app/screens/stoptimetables/ZJRShowFrame.h"
#include "app/shell/ShellSettings.h"
#include "tests/app/shell/ViewHost.h"

#include "platform/core/LocalTime.h"
#include "platform/draw/Utf.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace pelorvant::testing {

namespace ui = platform::ui;

class RecordingLinks final : public StopTimetableLinks {
public:
    bool openListing(const cUsekSpojeni& leg, int returnView) override {
        legs.push_back(leg);
        returns.push_back(returnView);
        return true;
    }
    void searchAgain(const StopTimetableQuery& query) override { queries.push_back(query); }
    std::vector<cUsekSpojeni> legs;
    std::vector<int> returns;
    std::vector<StopTimetableQuery> queries;
};

inline std::string utf8(std::u16string_view text) { return platform::draw::toUtf8(text); }

// The view as its user reads it: each page title, the route stops, each hour with its minutes
// and note letters, and the notes.
inline std::string describe(const cZJRShowFrame& view) {
    std::ostringstream out;
    const StopTimetableCopy& t = view.timetable();
    for (int n = 0; n < view.pageCount(); ++n) out << "page " << n << ": " << utf8(view.pageTitle(n)) << "\n";
    for (const StRouteStop& s : t.routeStops) out << "  stop " << s.stop << " min " << s.minutes << "\n";
    for (std::size_t g = 0; g < t.groups.size(); ++g) {
        out << "grid " << utf8(replaceDayPlaceholders(t.groups[g].validity)) << "\n";
        for (int h = 0; h < 24; ++h) {
            const auto& row = t.groups[g].hours[static_cast<std::size_t>(h)];
            if (row.empty()) continue;
            out << "  " << h << ":";
            for (const StDeparture& d : row) out << " " << (d.minute < 10 ? "0" : "") << d.minute << utf8(noteLetter(d.note));
            out << "\n";
        }
    }
    out << "notes " << utf8(view.notesMarkup()) << "\n";
    return out.str();
}

class StopTimetableScreensTest : public StCityTest {
protected:
    void open(const StopTimetableQuery& q) {
        const ShellSettings& device = shellSettings();
        settings.fontHeight = device.fontHeight();
        settings.isNotSmartphone = device.isNotSmartphone();
        settings.highResolution = device.highResolution();
        settings.scrollBarWidth = device.scrollBarWidth();
        settings.createFonts();
        const Rect client = ui::getClientRect(host->window());
        view = std::make_unique<cZJRShowFrame>(context);
        ASSERT_TRUE(view->createFrame(host->window(), client, 4042));
        ui::showWindow(view->handle(), ui::SW_SHOW);
        view->links = &links;
        const StopTimetableAnswer answer = runStopTimetableSearch(api(), q);
        ASSERT_EQ(answer.engineStatus, ENGINE_OK);
        ASSERT_EQ(answer.status, 0);
        view->buildStopTimetableText(answer.result.get(), q, answer.groupCount, answer.routeStopCount);
        kit->pump();
    }
    void TearDown() override {
        view.reset();
        host.reset();
        kit.reset();
        StCityTest::TearDown();
    }
    cStopTimetableGrid& grid(int page) { return static_cast<cStopTimetableGridPage*>(view->page(page))->grid; }
    // The program's clock at the hour of a day of January 2027.
    void setClock(int day, int hour) {
        platform::SystemTime t;
        t.year = 2027;
        t.month = 1;
        t.day = day;
        t.hour = hour;
        kit->clock().setLocalTime(t);
    }

    virtual const char* profile() const { return "480x640"; }
    void SetUp() override {
        StCityTest::SetUp();
        kit.emplace(profile(), platform::testkit::Text::Real);
        host.emplace();
    }

    std::optional<platform::testkit::UiTestKit> kit;
    std::optional<ViewHost> host;
    RecordingLinks links;
    std::unique_ptr<cZJRShowFrame> view;
};

// The same on each device profile given as the parameter.
class StopTimetableProfileTest : public StopTimetableScreensTest,
                                 public ::testing::WithParamInterface<const char*> {
protected:
    const char* profile() const override { return GetParam(); }
};

// Compares `text` with the golden file of that name in the screens' golden folder
// (TRASA_UPDATE_GOLDEN=1 writes it instead).
inline void expectGoldenText(const std::string& text, const std::string& name) {
    const std::string path = std::string(TRASA_SOURCE_DIR) + "/tests/app/screens/stoptimetables/golden/" + name;
    if (std::getenv("TRASA_UPDATE_GOLDEN") != nullptr) std::ofstream(path) << text;
    std::ifstream in(path);
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(text, golden.str()) << name;
}

}  // namespace pelorvant::testing
