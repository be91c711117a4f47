// The one list painter: the same row height and highlight wherever rows of text are listed.

#include "ControlHost.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ControlStyle.h"
#include "platform/controls/ListPainter.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/draw/Bitmap.h"

#include <gtest/gtest.h>

namespace platform::controls {
namespace {

using draw::Rect;
using testing::ControlHost;

TEST(ListPainter, RowsAreLitWhiteOnTheSelectionColourAndGreyWhenDisabled) {
    struct Case {
        bool lit;
        bool enabled;
        draw::Color ground;
        draw::Color ink;
    };
    const draw::Color paper = draw::rgb(1, 2, 3);
    for (const Case c : {Case{false, true, paper, kTextColor},
                         Case{true, true, draw::Color{0xD69631}, draw::rgb(255, 255, 255)},
                         Case{false, false, paper, kDisabledTextColor},
                         Case{true, false, draw::Color{0xD69631}, kDisabledTextColor}}) {
        draw::Bitmap b(20, 10, paper);
        draw::DeviceContext dc(b);
        beginListRow(dc, Rect{0, 0, 10, 10}, c.lit, c.enabled);
        EXPECT_EQ(b.pixel(5, 5), c.ground) << c.lit << c.enabled;
        EXPECT_EQ(b.pixel(15, 5), paper);  // only the ground given
        EXPECT_EQ(dc.textColor(), c.ink) << c.lit << c.enabled;
    }
}

TEST(ListPainter, TheComboListAndTheListViewShareTheRowHeight) {
    testkit::UiTestKit kit;
    ControlHost host({});
    const int row = listRowHeight(controlFont());
    EXPECT_EQ(row, controlFont().metrics().height + 8);
    // A list view of three rows without a header, and an open combo list of three items: the
    // same height inside their one-pixel borders.
    const WindowHandle list = host.add(kListViewClass, u"", ui::WS_BORDER | LVS_NOCOLUMNHEADER,
                                       Rect{0, 0, 100, 3 * row + 2}, 1);
    EXPECT_EQ(sendMessage(list, LVM_GETCOUNTPERPAGE), 3);
    const WindowHandle combo =
        host.add(kComboBoxClass, u"", CBS_DROPDOWNLIST | ui::WS_BORDER, Rect{110, 0, 230, 24}, 2);
    for (std::u16string s : {u"Vlak", u"Bus", u"Tram"}) {
        sendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<std::intptr_t>(&s));
    }
    sendMessage(combo, CB_SHOWDROPDOWN, 1);
    WindowHandle dropped = kNullWindow;
    for (WindowHandle w : ui::getTopLevelWindows()) {
        if (w != host.window() && ui::isWindowVisible(w)) {
            dropped = w;
        }
    }
    ASSERT_NE(dropped, kNullWindow);
    EXPECT_EQ(ui::getWindowRect(dropped).height(), 3 * row + 2);
}

}  // namespace
}  // namespace platform::controls
