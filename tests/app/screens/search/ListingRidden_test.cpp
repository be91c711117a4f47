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
    ListingRiddenTest() {
        settings.isNotSmartphone = true;
        context.settings = &settings;
        window = ui::createWindow(shellCreateParams(ui::WS_VISIBLE, Rect{0, 0, 480, 640}, platform::kNullWindow, 0),
                                  ui::defWindowProc);
        view.createView(window, Rect{0, 0, 480, 640}, kListingViewId, true);
    }
    ~ListingRiddenTest() override { ui::destroyWindow(window); }

    // Six stops; the connection boards at the second and alights at the fourth.
    void showTrip() {
        std::vector<ListingRow> rows;
        for (const char16_t* name : {u"Alfa", u"Beta", u"Gama", u"Delta", u"Epsilon", u"Zeta"}) {
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

    platform::testkit::UiTestKit kit{"480x640", platform::testkit::Text::Real};
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

}  // namespace
}  // namespace pelorvant
