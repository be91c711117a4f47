// The trip listing on a touch screen, painted on the headless surface: the selected boarding
// row is filled whole with the selection colour, the other rows the connection rides have the
// light blue only behind their first column, and the rows before boarding and after
// alighting stay white.
#include "app/screens/search/ListingRowPainter.h"
#include "app/screens/search/VypisSpojeView.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace pelorvant {
namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::draw::Color;

class ListingRiddenTest : public ::testing::Test {
protected:
    explicit ListingRiddenTest(const char* profile = "480x640", bool touch = true)
        : kit(profile, platform::testkit::Text::Real) {
        settings.isNotSmartphone = touch;
        context.settings = &settings;
        const auto screen = ui::screenSize();
        const Rect whole{0, 0, screen.width, screen.height};
        window = ui::createWindow(shellCreateParams(ui::WS_VISIBLE, whole, platform::kNullWindow, 0), ui::defWindowProc);
        view.createView(window, whole, kListingViewId, true);
    }
    ~ListingRiddenTest() override { ui::destroyWindow(window); }

    // Six stops; the connection boards at the second and alights at the fourth.
    void showTrip(const char16_t* firstName = u"Alfa") {
        std::vector<ListingRow> rows;
        for (const char16_t* name : {firstName, u"Beta", u"Gama", u"Delta", u"Epsilon", u"Zeta"}) {
            rows.push_back(ListingRow{name, u"10:02", u"10:05", u"3"});
        }
        view.showRows(std::move(rows), 1, 3, u"10:00", u"7");
        kit.pump();
    }

    Rect rowOnScreen(int row) {
        Rect rect;
        platform::sendMessage(view.list, controls::LVM_GETITEMRECT, static_cast<std::uintptr_t>(row),
                              reinterpret_cast<std::intptr_t>(&rect));
        const platform::draw::Point origin = ui::clientToScreen(view.list, platform::draw::Point{0, 0});
        return rect.offset(origin.x, origin.y);
    }
    int columnWidth(int column) {
        return static_cast<int>(platform::sendMessage(view.list, controls::LVM_GETCOLUMNWIDTH,
                                                      static_cast<std::uintptr_t>(column), 0));
    }
    // The colour of the row's background at x, one pixel below its top (above any text).
    Color backgroundAt(int row, int x) { return kit.screenshot().pixel(x, rowOnScreen(row).top + 1); }

    platform::testkit::UiTestKit kit;
    AppSettings settings;
    ProgramContext context;
    cVypisSpojeView view{context};
    platform::WindowHandle window = platform::kNullWindow;
};

TEST_F(ListingRiddenTest, TintCoversExactlyTheRiddenRowsFirstColumn) {
    showTrip();
    const Color white = platform::draw::rgb(255, 255, 255);
    const int first = columnWidth(0);
    ASSERT_GT(first, 4);
    const struct {
        int row;
        Color firstColumn;
        Color beyond;
    } expected[] = {
        {0, white, white},
        {1, kListingSelectedColor, kListingSelectedColor},
        {2, kListingRiddenColor, white},
        {3, kListingRiddenColor, white},
        {4, white, white},
        {5, white, white},
    };
    for (const auto& e : expected) {
        const int left = rowOnScreen(e.row).left;
        EXPECT_EQ(backgroundAt(e.row, left), e.firstColumn) << "row " << e.row;
        EXPECT_EQ(backgroundAt(e.row, left + first - 1), e.firstColumn) << "row " << e.row;
        EXPECT_EQ(backgroundAt(e.row, left + first), e.beyond) << "row " << e.row;
        EXPECT_EQ(backgroundAt(e.row, left + first + columnWidth(1) + 1), e.beyond) << "row " << e.row;
    }
}

TEST_F(ListingRiddenTest, TextIsWhiteOnTheSelectionAndBlackOnTheTint) {
    showTrip();
    const auto& shot = kit.screenshot();
    // Pixels of a colour in a part of a row; text edges are smoothed, so a text colour counts
    // within a small distance.
    const auto countOf = [&](int row, int from, int to, Color colour) {
        const Rect r = rowOnScreen(row);
        const auto near = [](Color a, Color b) {
            for (int shift = 0; shift < 24; shift += 8) {
                if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 40) return false;
            }
            return true;
        };
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left + from; x < r.left + to; ++x) n += near(shot.pixel(x, y), colour) ? 1 : 0;
        }
        return n;
    };
    const int first = columnWidth(0);
    const int second = first + columnWidth(1);
    const Color black = platform::draw::rgb(0, 0, 0);
    // The stop names: white on the selected row, black on a ridden one.
    EXPECT_GT(countOf(1, first, second, platform::draw::rgb(255, 255, 255)), 0);
    EXPECT_EQ(countOf(1, first, second, black), 0);
    EXPECT_GT(countOf(2, first, second, black), 0);
    // The kilometres sit on the tint in black.
    EXPECT_GT(countOf(2, 0, first, black), 0);
}

TEST_F(ListingRiddenTest, MovingTheSelectionLeavesTheBoardingRowTinted) {
    showTrip();
    ui::setFocus(view.list);
    kit.key(ui::VK_DOWN);
    const int left = rowOnScreen(1).left;
    EXPECT_EQ(backgroundAt(1, left), kListingRiddenColor);
    EXPECT_EQ(backgroundAt(2, left + columnWidth(0) + 2), kListingSelectedColor);
}

// On a keypad phone the system draws the rows: the columns fit the list's width, and a stop
// name too long for its column is shortened with an ellipsis rather than cut.
class KeypadListingTest : public ListingRiddenTest {
protected:
    KeypadListingTest() : ListingRiddenTest("240x320-keypad", false) {}
};

TEST_F(KeypadListingTest, ColumnsFitAndLongNamesAreShortened) {
    const std::u16string longName = u"Autobusov\u00e9 n\u00e1dra\u017e\u00ed Lipov\u00e1 nad S\u00e1zavou";
    showTrip(longName.c_str());
    int total = 0;
    for (int c = 0; c < 4; ++c) total += columnWidth(c);
    EXPECT_LE(total, ui::getClientRect(view.list).width());
    const auto cell = [&](int row, int column) {
        controls::ListItem item;
        item.item = row;
        item.subItem = column;
        platform::sendMessage(view.list, controls::LVM_GETITEMTEXT, static_cast<std::uintptr_t>(row),
                              reinterpret_cast<std::intptr_t>(&item));
        return item.text;
    };
    const std::u16string shown = cell(0, 0);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), u'\u2026');
    EXPECT_EQ(longName.rfind(shown.substr(0, shown.size() - 1), 0), 0u);
    EXPECT_EQ(cell(1, 0), u"Beta");
    EXPECT_EQ(cell(0, 1), u"10:02");
    EXPECT_EQ(view.shown[0].stop, longName);  // the header and the row data keep the whole name
}

}  // namespace
}  // namespace pelorvant
