#include "platform/backends/demo/DemoWindow.h"

#include "platform/core/Timer.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <array>
#include <memory>
#include <string>

namespace platform::demo {
namespace {

using draw::Color;
using draw::Point;
using draw::Rect;
using draw::rgb;

constexpr Color kBlue = rgb(49, 150, 214);
constexpr Color kLightBlue = rgb(177, 213, 254);
constexpr Color kGrey = rgb(0x6E, 0x6E, 0x6E);
constexpr Color kKey = rgb(255, 0, 255);

// An arrow on a magenta (colour-key) background, as the program's bitmaps are.
draw::Bitmap makeArrow() {
    draw::Bitmap b(12, 12, kKey);
    draw::DeviceContext dc(b);
    dc.selectPen(draw::Pen::none());
    dc.selectBrush(draw::Brush{kBlue});
    const std::array<Point, 3> head = {Point{6, 0}, Point{11, 6}, Point{0, 6}};
    dc.polygon(head);
    dc.fillRect(Rect{4, 6, 8, 12}, rgb(50, 50, 50));
    return b;
}

struct Demo {
    int ticks = 0;
    draw::Bitmap arrow = makeArrow();
    draw::Font regular{draw::FontSpec{"Verdana", 14, 400}};
    draw::Font bold{draw::FontSpec{"Verdana", 14, 700}};
    draw::Font italic{draw::FontSpec{"Verdana", 14, 400, true}};
    draw::Font underline{draw::FontSpec{"Verdana", 14, 400, false, true}};
    draw::Font big{draw::FontSpec{"Verdana", 20, 700}};
};

void paintDemo(WindowHandle w, Demo& d) {
    ui::PaintContext paint(w);
    draw::DeviceContext& dc = paint.dc();
    const Rect client = ui::getClientRect(w);
    dc.fillRect(client, rgb(255, 255, 255));
    dc.fillRect(Rect{0, 0, client.right, 28}, kBlue);
    dc.setBkMode(draw::BackgroundMode::Transparent);
    dc.setTextColor(rgb(255, 255, 255));
    dc.selectFont(&d.big);
    dc.drawText(u"Pelorvant", Rect{6, 0, client.right, 28}, draw::kTextVCenter);

    dc.setTextColor(rgb(0, 0, 0));
    int y = 36;
    const std::array<const draw::Font*, 4> fonts = {&d.regular, &d.bold, &d.italic, &d.underline};
    const std::array<const char16_t*, 4> texts = {u"Praha hl.n. 12:05", u"Brno hl.n. 14:40",
                                                  u"přestup 8 min", u"Jízdní řád"};
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        dc.selectFont(fonts[i]);
        dc.drawText(texts[i], Rect{8, y, client.right - 8, y + 20});
        y += 20;
    }
    // Opaque text on a coloured background, clipped by its rectangle.
    dc.setBkMode(draw::BackgroundMode::Opaque);
    dc.setBkColor(kLightBlue);
    dc.selectFont(&d.regular);
    dc.drawText(u"Vybraný řádek je oříznut", Rect{8, y, 130, y + 18});
    y += 26;

    dc.selectPen(draw::Pen{kBlue});
    dc.moveTo(8, y);
    dc.lineTo(client.right - 8, y);
    const std::array<Point, 4> zigzag = {Point{8, y + 20}, Point{40, y + 6}, Point{72, y + 20},
                                         Point{104, y + 6}};
    dc.polyline(zigzag);
    dc.selectPen(draw::Pen{rgb(50, 50, 50)});
    dc.selectBrush(draw::Brush{rgb(150, 186, 227)});
    dc.rectangle(Rect{120, y + 4, 180, y + 24});
    const std::array<Point, 3> triangle = {Point{190, y + 24}, Point{210, y + 4},
                                           Point{230, y + 24}};
    dc.polygon(triangle);
    y += 32;

    dc.bitBlt(8, y, d.arrow.width(), d.arrow.height(), d.arrow, 0, 0);
    dc.stretchBlt(Rect{28, y, 52, y + 24}, d.arrow, d.arrow.bounds());
    dc.transparentBlt(Rect{60, y, 84, y + 24}, d.arrow, d.arrow.bounds(), kKey);
    y += 32;

    dc.setBkMode(draw::BackgroundMode::Transparent);
    dc.setTextColor(kGrey);
    dc.drawText(u"Tick " + std::u16string(std::u16string_view(u"0123456789")
                                              .substr(static_cast<std::size_t>(d.ticks % 10), 1)),
                Rect{8, y, client.right, y + 20});
}

constexpr std::uintptr_t kPanelId = 0x1E900;

// The panel sits in the lower right and reaches past the right edge, to show the clipping.
void placePanel(WindowHandle w) {
    const Rect c = ui::getClientRect(w);
    ui::moveWindow(ui::getDlgItem(w, kPanelId), c.width() / 2, c.height() - 70, c.width() / 2 + 20,
                   50);
}

}  // namespace

WindowHandle createDemoWindow() {
    auto demo = std::make_shared<Demo>();
    ui::CreateParams p;
    p.className = "DemoWindow";
    p.text = u"Demo";
    p.style = ui::WS_VISIBLE;
    p.rect = Rect{0, 0, ui::screenSize().width, ui::screenSize().height};
    const WindowHandle w = ui::createWindow(
        p,
        [demo](WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) -> MsgResult {
            switch (m) {
                case ui::WM_PAINT:
                    paintDemo(h, *demo);
                    return 0;
                case ui::WM_TIMER:
                    ++demo->ticks;
                    ui::invalidateRect(h);
                    return 0;
                case ui::WM_SIZE:
                    placePanel(h);
                    ui::invalidateRect(h);
                    return 0;
                default:
                    return ui::defWindowProc(h, m, wp, lp);
            }
        });
    // A framed child panel in the lower part, clipped by the window like any child.
    ui::CreateParams panel;
    panel.className = "DemoPanel";
    panel.text = u"panel";
    panel.style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_BORDER;
    panel.parent = w;
    panel.id = kPanelId;
    ui::createWindow(
        panel,
        [](WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) -> MsgResult {
            if (m == ui::WM_PAINT) {
                ui::PaintContext paint(h);
                paint.dc().fillRect(ui::getClientRect(h), kLightBlue);
                paint.dc().setBkMode(draw::BackgroundMode::Transparent);
                paint.dc().drawText(u"Panel", Rect{4, 4, 200, 24});
                return 0;
            }
            return ui::defWindowProc(h, m, wp, lp);
        });
    placePanel(w);
    setTimer(w, kDemoTimer, kDemoTickInterval);
    return w;
}

}  // namespace platform::demo
