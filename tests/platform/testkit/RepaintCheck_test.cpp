// The full-repaint check of the drivers: silent on a screen that is whole, and naming the
// rectangle and the window where a paint was lost.

#include "platform/testkit/RepaintCheck.h"
#include "platform/testkit/UiTestKit.h"

#include "platform/draw/DeviceContext.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace platform::testkit {
namespace {

using draw::Rect;

// A window that paints its client area in the colour `color` holds when it paints.
WindowHandle makePainter(const std::u16string& text, std::uint32_t style, Rect rect,
                         WindowHandle parent, std::uintptr_t id, const draw::Color* color) {
    ui::CreateParams p;
    p.className = "Painter";
    p.text = text;
    p.style = style;
    p.rect = rect;
    p.parent = parent;
    p.id = id;
    return ui::createWindow(
        p,
        [color](WindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) -> MsgResult {
            if (m != ui::WM_PAINT) {
                return ui::defWindowProc(w, m, wp, lp);
            }
            ui::PaintContext paint(w);
            paint.dc().fillRect(ui::getClientRect(w), *color);
            return 0;
        });
}

TEST(RepaintCheck, AWholeScreenPassesAndALostPaintIsNamedWithItsWindow) {
    UiTestKit kit;
    draw::Color frameColor = draw::rgb(255, 255, 255);
    draw::Color boxColor = draw::rgb(255, 0, 0);
    const WindowHandle frame =
        makePainter(u"Frame", ui::WS_VISIBLE, Rect{0, 0, 240, 320}, kNullWindow, 0, &frameColor);
    const WindowHandle box = makePainter(u"To", ui::WS_CHILD | ui::WS_VISIBLE,
                                         Rect{20, 40, 120, 60}, frame, 2011, &boxColor);
    kit.pump();
    EXPECT_EQ(wholeRepaintDifference(), "");
    boxColor = draw::rgb(0, 0, 255);  // changed, but nobody asked for a paint
    EXPECT_EQ(wholeRepaintDifference(),
              "[20,40 100x20] differs from a full repaint; under: Painter id=0 \"Frame\" > "
              "Painter id=2011 \"To\"");
    // The check leaves the screen as it was: the same difference is found again, and both
    // screens can be kept for a look.
    const std::filesystem::path saved = std::filesystem::temp_directory_path() / "repaint-check";
    EXPECT_NE(wholeRepaintDifference(saved.string()), "");
    EXPECT_TRUE(std::filesystem::exists(saved.string() + "-shown.png"));
    EXPECT_TRUE(std::filesystem::exists(saved.string() + "-repainted.png"));
    std::filesystem::remove(saved.string() + "-shown.png");
    std::filesystem::remove(saved.string() + "-repainted.png");
    ui::invalidateRect(box);
    kit.pump();
    EXPECT_EQ(wholeRepaintDifference(), "");
}

}  // namespace
}  // namespace platform::testkit
