// The built program itself under a private X server, driven by real input events and read by
// its window's pixels, against the real services it talks to, each started for the test on a
// private port or bus: gpsd (through gpsfake), ModemManager (python3-dbusmock),
// evolution-data-server, and the update server on loopback.
#include "app/program/tabs/TabColors.h"
#include "platform/draw/Utf.h"
#include "platform/services/http/LoopbackHttpServer.h"
#include "tests/app/core/gps/GpsFakeDaemon.h"
#include "tests/app/program/RealProgram.h"
#include "tests/app/program/ShownText.h"
#include "tests/platform/services/sms/MockModemManager.h"
#include "tools/mkupdate/UpdateFolder.h"

#if TRASA_HAVE_ECAL
#include "tests/app/core/devices/EvolutionSession.h"

#include <libical/ical.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <optional>
#include <string>
#include <vector>

// The calendar client library leaks a little of its registry for the life of the process
// (suppressed by library, platform/draw/FontFaces.cpp); the system libraries have no frame
// pointers, so leaks are traced with the slow unwinder to find that library on their stacks.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}

namespace pelorvant {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::draw::Bitmap;
using trasa::testing::eventually;
using trasa::testing::readText;
using RealProgram = testing::RealProgramTest;

// Places on the 480x640 screen: the From and To fields of the search form, its third quick
// button; the top of the results' first row, and the rows below the first.
constexpr int kFromX = 250, kFromY = 72;
constexpr int kToX = 250, kToY = 150;
constexpr platform::draw::Rect kFirstRow{0, 34, 330, 60};
constexpr platform::draw::Rect kLaterRows{0, 125, 480, 590};
constexpr int kThirdQuickX = 398, kQuickY = 548;

// The trams' colour in the results' rows.
constexpr platform::draw::Color kTramInk = platform::draw::rgb(0xD2, 0x23, 0x2A);
// The navigation view: the stop and the distance.
constexpr platform::draw::Rect kStopArea{180, 38, 480, 64};
constexpr platform::draw::Rect kDistanceArea{180, 62, 480, 90};

// Both shots show the search form alike, pixel for pixel, but for the time field, which shows
// the minute it was drawn in.
bool sameForm(const Bitmap& a, const Bitmap& b) {
    constexpr platform::draw::Rect kClock{168, 274, 344, 340};
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const bool clock = x >= kClock.left && x < kClock.right && y >= kClock.top && y < kClock.bottom;
            if (!clock && a.row(y)[x] != b.row(y)[x])
                return false;
        }
    }
    return true;
}

// The row of tab headers along the top of the window.
constexpr platform::draw::Rect kTabRow{0, 0, 480, 40};

// The active tab's header shows the title: in black on its light blue, or in white on its blue
// while the header row holds the focus.
bool tabTitled(const Bitmap& shown, std::u16string_view title) {
    return testing::ShownText(title, platform::draw::rgb(0, 0, 0), kTabLightBlue).in(shown, kTabRow) ||
           testing::ShownText(title, platform::draw::rgb(255, 255, 255), kTabBlue).in(shown, kTabRow);
}

void stop(trasa::testing::ChildProcess& program) {
    ::kill(program.pid(), SIGTERM);
    EXPECT_EQ(program.waitForExit(60s), 0);
}

// gpsd serves fixes 50 m north of Hlavní nádraží's platform A; From stands for the GPS position. The search
// starts there and finds the trams to Nemocnice; the walking navigation to the first trip's
// stop gets the receiver's position too and shows the distance.
TEST_F(RealProgram, FromTheGpsdPositionTheSearchFindsConnectionsAndTheNavigationShowsADistance) {
    testing::GpsFakeDaemon gpsd(TRASA_SOURCE_DIR "/tests/fixtures/gps/near-main-station.nmea");
    ASSERT_TRUE(gpsd.waitUntilListening(30s)) << "gpsfake did not start";
    answeredBefore("   isgps=1\r\n");
    auto program = start({}, {"PELORVANT_GPSD=127.0.0.1:" + gpsd.port()});
    const unsigned long window = windowWithContent();
    ASSERT_NE(window, 0u);
    formShown(window);
    input.tap(window, kToX, kToY);
    input.type("nemoc");
    input.key("F1");  // "Najdi"
    const platform::draw::Rect rows = kLaterRows;
    const testing::ShownText nemocnice(u"Nemocnice BZ");
    const Bitmap results = shownWhen(window, [&](const Bitmap& shown) {
        return nemocnice.in(shown, rows);
    });
    keep(results, "gps-results.png");
    ASSERT_TRUE(nemocnice.in(results, rows))
        << "no results (see gps-results.png)";
    EXPECT_TRUE(testing::ShownText(u"Tram 1", kTramInk).in(results, rows));
    EXPECT_FALSE(testing::ShownText(u"Nemocnice CZ").in(results, rows)) << "the finder finds only what is shown";

    input.key("F2");  // "Menu"
    chooseMenuItem(window, u"Navigovat na zastávku");
    // Which of the station's four platforms the first trip leaves from follows the clock the
    // search starts at; the fix is 50 m from platform A, 36 m from B, 78 m from C, 85 m from D.
    const std::vector<testing::ShownText> distances = [] {
        std::vector<testing::ShownText> each;
        for (const char16_t* metres : {u"50", u"36", u"78", u"85"})
            each.emplace_back(metres);
        return each;
    }();
    const auto distanceShown = [&](const Bitmap& shown) {
        return std::any_of(distances.begin(), distances.end(),
                           [&](const testing::ShownText& distance) { return distance.in(shown, kDistanceArea); });
    };
    const Bitmap navigation = shownWhen(window, distanceShown);
    keep(navigation, "gps-navigation.png");
    EXPECT_TRUE(testing::ShownText(u"Hlavní nádraží BZ").in(navigation, kStopArea));
    EXPECT_TRUE(distanceShown(navigation)) << "no platform's distance (see gps-navigation.png)";
    stop(*program);
}

// The modem service refuses the message: the ticket's failure shows in its box, and once the
// box is answered the search form is drawn exactly as before the ticket, every label, button
// and field whole (the time field, which follows the clock, aside).
TEST_F(RealProgram, AFailedTicketShowsItsBoxAndTheFormIsDrawnAsBefore) {
    platform::services::testing::MockModemManager modem(R"({"failSend": true})");
    ASSERT_TRUE(modem.up()) << "no private bus";
    fs::copy_file(TRASA_FIXTURE_DIR "/city_v40.jz", data / "city_v40.jz");
    answeredBefore("   qb3=3\r\n");  // the third quick button: "Pid SMS"
    auto program = start({}, {"DBUS_SYSTEM_BUS_ADDRESS=" + modem.address()});
    const unsigned long window = windowWithContent();
    ASSERT_NE(window, 0u);
    formShown(window);
    const Bitmap before = settled(window);
    keep(before, "ticket-before.png");
    const testing::ShownText choice(u"SMS jízdenka");
    const testing::ShownText question(u"Opravdu chcete odeslat žádost o");
    const testing::ShownText failure(u"Modem SMS zprávu neodeslal.");
    input.tap(window, kThirdQuickX, kQuickY);
    ASSERT_TRUE(choice.in(shownWhen(window, [&](const Bitmap& shown) { return choice.in(shown); })));
    input.key("F1");  // "Ok": the first ticket
    ASSERT_TRUE(question.in(shownWhen(window, [&](const Bitmap& shown) { return question.in(shown); })));
    input.key("Return");  // "Ano": its price is confirmed
    const Bitmap failed = shownWhen(window, [&](const Bitmap& shown) { return failure.in(shown); });
    keep(failed, "ticket-failed.png");
    ASSERT_TRUE(failure.in(failed)) << "no failure box (see ticket-failed.png)";
    input.key("Return");  // "OK"
    // What is still to be drawn is drawn at once; the form is given a few seconds all the same.
    const Bitmap after =
        shownWhen(window, [&](const Bitmap& shown) { return sameForm(shown, before); }, 10s);
    keep(after, "ticket-after.png");
    EXPECT_TRUE(sameForm(after, before)) << "see ticket-before.png and ticket-after.png";
    stop(*program);
}

#if TRASA_HAVE_ECAL

// The times of the first connection's calendar entry, as "H:MM", read back from the calendar,
// and its length in minutes.
struct EntryTimes {
    std::string summary;
    std::u16string start;
    std::u16string end;
    long minutes = 0;
};

std::u16string clockText(int hour, int minute) {
    const std::string text = std::to_string(hour) + (minute < 10 ? ":0" : ":") + std::to_string(minute);
    return std::u16string(text.begin(), text.end());
}

std::optional<EntryTimes> onlyEntry(const std::vector<std::string>& events) {
    if (events.size() != 1)
        return std::nullopt;
    icalcomponent* event = icalparser_parse_string(events[0].c_str());
    if (event == nullptr)
        return std::nullopt;
    const icaltimetype from = icalcomponent_get_dtstart(event);
    const icaltimetype to = icalcomponent_get_dtend(event);
    EntryTimes times{icalcomponent_get_summary(event) ? icalcomponent_get_summary(event) : "",
                     clockText(from.hour, from.minute), clockText(to.hour, to.minute),
                     static_cast<long>(icaltime_as_timet(to) - icaltime_as_timet(from)) / 60};
    icalcomponent_free(event);
    return times;
}

// The first connection of the results goes into the default calendar of evolution-data-server,
// with the times its row shows.
TEST_F(RealProgram, AConnectionLandsInTheCalendarWithTheTimesItsRowShows) {
    if (!fs::exists("/usr/libexec/evolution-source-registry"))
        GTEST_SKIP() << "evolution-data-server is not installed";
    trasa::testing::EvolutionSession session;
    ASSERT_TRUE(session.up()) << "no private session bus";
    answeredBefore();
    auto program = start({}, {"DBUS_SESSION_BUS_ADDRESS=" + session.address()});
    const unsigned long window = windowWithContent();
    ASSERT_NE(window, 0u);
    formShown(window);
    // A tap on the focused From opens its full-screen entry, whose "Ok" takes the suggestion;
    // a tap on To focuses it, and "Najdi" takes its suggestion too.
    input.tap(window, kFromX, kFromY);
    textShown(window, u"Kategorie:");
    input.type("aut nad");
    input.key("F1");  // "Ok"
    formShown(window);
    input.tap(window, kToX, kToY);
    input.type("na vyhl");
    input.key("F1");  // "Najdi"
    const testing::ShownText destination(u"Na Vyhlídce");
    ASSERT_TRUE(destination.in(shownWhen(window, [&](const Bitmap& shown) { return destination.in(shown, kLaterRows); }),
                               kLaterRows))
        << "no results";
    // The list drawn whole, its first row selected, before the menu covers it.
    const Bitmap results = settled(window);
    keep(results, "calendar-results.png");

    input.key("F2");  // "Menu"
    chooseMenuItem(window, u"Vložit do kalendáře");
    const testing::ShownText told(u"Spojení bylo vloženo do kalendáře");
    const Bitmap box = shownWhen(window, [&](const Bitmap& shown) { return told.in(shown); });
    keep(box, "calendar-box.png");
    ASSERT_TRUE(told.in(box)) << "see calendar-box.png";
    const std::optional<EntryTimes> entry = onlyEntry(session.events());
    ASSERT_TRUE(entry) << "not one entry in the calendar";
    EXPECT_EQ(entry->summary, "Autobusové nádraží BZ - Na Vyhlídce");
    // The selected first row shows both times on its own colour, as far down as that goes.
    const std::uint32_t selected = results.row(kFirstRow.top + 4)[2];
    platform::draw::Rect firstRow = kFirstRow;
    while (firstRow.bottom < results.height() && results.row(firstRow.bottom)[2] == selected)
        ++firstRow.bottom;
    const platform::draw::Color paper = platform::draw::colorOfPixel(selected);
    // A connection that opens with a walk starts when the walk does: the row shows no time for
    // that, but its duration below the stops (in grey) counts from there.
    const std::string length = std::to_string(entry->minutes) + " min";
    const testing::ShownText duration(std::u16string(length.begin(), length.end()),
                                      platform::draw::rgb(110, 110, 110), paper);
    EXPECT_TRUE(testing::ShownText(entry->start, platform::draw::rgb(0, 0, 0), paper).in(results, firstRow) ||
                duration.in(results, firstRow))
        << "the entry starts at " << platform::draw::toUtf8(entry->start) << " and lasts " << length
        << ": the first row shows neither (see calendar-results.png)";
    EXPECT_TRUE(testing::ShownText(entry->end, platform::draw::rgb(0, 0, 0), paper).in(results, firstRow))
        << "the entry ends at " << platform::draw::toUtf8(entry->end)
        << ", a time the first row does not show (see calendar-results.png)";
    input.key("Return");
    stop(*program);
}

#endif

// A later start asks for an update while the program runs, its set choice open over the loaded
// set: it brings the running window to the front and hands the request over, and the running
// program downloads the newer timetable from the update server over the old file. The tab keeps
// the set's title throughout.
TEST_F(RealProgram, ASecondStartRaisesTheWindowAndItsUpdateInstallsTheNewerTimetable) {
    fs::copy_file(TRASA_FIXTURE_DIR "/search-city.jz", data / "search-city.jz");
    fs::copy_file(TRASA_FIXTURE_DIR "/search-region.jz", data / "Kraj.jz");
    const std::string newer = readText(TRASA_FIXTURE_DIR "/search-region-newer.jz");
    ASSERT_NE(newer, readText(data / "Kraj.jz"));
    trasa::testing::TempFolder offered;
    fs::copy_file(TRASA_FIXTURE_DIR "/search-region-newer.jz", offered / "Kraj.jz");
    mkupdate::writeUpdateFolder({.folder = offered.path()});
    platform::services::LoopbackHttpServer server;
    server.serveFolder("/", offered.path().string());
    const std::vector<std::string> serverVariable{"PELORVANT_UPDATE_SERVER=" + server.url("/")};
    answeredBefore("   defaultTT=Kraj\r\n");
    auto first = start({}, serverVariable);
    const unsigned long window = windowWithContent();
    ASSERT_NE(window, 0u);
    formShown(window);
    input.key("F2");  // "Menu"
    chooseMenuItem(window, u"Změnit jízdní řád");
    textShown(window, u"Vyberte jízdní řád(y):");
    const Bitmap choice = settled(window);
    keep(choice, "update-choice.png");
    ASSERT_TRUE(tabTitled(choice, u"Kraj")) << "see update-choice.png";
    const unsigned long cover = probe.coverWith(0, 0, 800, 800);
    ASSERT_EQ(probe.viewableTopLevels().back(), cover);

    // It waits 25 s before it hands over, as after a device event.
    auto second = start({"UpdateData"}, serverVariable);
    EXPECT_EQ(second->waitForExit(90s), 255) << "exit code -1: the running program took it";
    EXPECT_TRUE(eventually([&] { return probe.viewableTopLevels().back() == window; }, testing::kScreenPatience))
        << "the running window is above the cover";
    EXPECT_TRUE(eventually([&] { return readText(data / "Kraj.jz") == newer; }, testing::kScreenPatience))
        << "the newer timetable did not install";
    // The program says so, and asks whether to restart with the new data.
    textShown(window, u"Datové soubory byly úspěšně");
    const Bitmap installed = probe.capture(window);
    keep(installed, "update-installed.png");
    EXPECT_TRUE(tabTitled(installed, u"Kraj")) << "see update-installed.png";
    EXPECT_FALSE(tabTitled(installed, u"Nová záložka")) << "see update-installed.png";
    stop(*first);
}

}  // namespace
}  // namespace pelorvant
