// Cost of a frame of the interface on a 480 × 640 screen: composing the screen from the
// window surfaces (what every present does), repainting every window and composing (a frame
// of kinetic scrolling), drawing one line of text with a font made beforehand, and a
// paragraph wrapped between words.

#include "platform/backends/HeadlessBackend.h"
#include "platform/core/VirtualClock.h"
#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace platform;
using draw::Rect;
using draw::rgb;

struct RowArt {
    draw::Font font{draw::FontSpec{"Verdana", 26, 400}};
    draw::Font bold{draw::FontSpec{"Verdana", 26, 700}};
    draw::Bitmap icon = [] {
        draw::Bitmap b(24, 24, rgb(255, 0, 255));
        b.fill(Rect{4, 4, 20, 20}, rgb(49, 150, 214));
        return b;
    }();
};

MsgResult paintRow(const std::shared_ptr<RowArt>& art, WindowHandle h, std::uint32_t m,
                   std::uintptr_t w, std::intptr_t l) {
    if (m != ui::WM_PAINT) {
        return ui::defWindowProc(h, m, w, l);
    }
    ui::PaintContext paint(h);
    draw::DeviceContext& dc = paint.dc();
    const Rect c = ui::getClientRect(h);
    dc.fillRect(c, ui::getDlgCtrlId(h) % 2 ? rgb(255, 255, 255) : rgb(177, 213, 254));
    dc.transparentBlt(Rect{8, 4, 56, 52}, art->icon, art->icon.bounds(), rgb(255, 0, 255));
    dc.setBkMode(draw::BackgroundMode::Transparent);
    dc.selectFont(&art->bold);
    dc.drawText(u"12:05 Praha hl.n.", Rect{64, 2, c.right, 30});
    dc.selectFont(&art->font);
    dc.drawText(u"R 872 Brno hl.n. 14:40, přestup 8 min", Rect{64, 30, c.right, 58});
    return 0;
}

// A full screen: a frame and eleven rows of text and bitmaps.
class Screen {
public:
    Screen() : backend_(*ui::findDeviceProfile("480x640")) {
        auto art = std::make_shared<RowArt>();
        ui::CreateParams p;
        p.className = "Frame";
        p.style = ui::WS_VISIBLE;
        p.rect = Rect{0, 0, 480, 640};
        frame_ = ui::createWindow(p, ui::defWindowProc);
        for (int i = 0; i < 11; ++i) {
            ui::CreateParams r;
            r.className = "Row";
            r.style = ui::WS_CHILD | ui::WS_VISIBLE;
            r.rect = Rect::fromSize(0, i * 58, 480, 58);
            r.parent = frame_;
            r.id = static_cast<std::uintptr_t>(i);
            rows_.push_back(
                ui::createWindow(r, [art](WindowHandle h, std::uint32_t m, std::uintptr_t w,
                                          std::intptr_t l) { return paintRow(art, h, m, w, l); }));
        }
        ui::pumpMessages();
    }
    ~Screen() { ui::destroyWindow(frame_); }
    void repaintAll() {
        for (WindowHandle r : rows_) {
            ui::invalidateRect(r, nullptr, false);
        }
        ui::pumpMessages();
    }
    const draw::Bitmap& present() { return backend_.present(); }

private:
    VirtualClock clock_{0};
    backends::HeadlessBackend backend_;
    WindowHandle frame_ = kNullWindow;
    std::vector<WindowHandle> rows_;
};

void BM_ComposeScreen(benchmark::State& state) {
    Screen screen;
    draw::Bitmap out;
    for (auto _ : state) {
        ui::composeScreen(out);
        benchmark::DoNotOptimize(out.row(0));
    }
}
BENCHMARK(BM_ComposeScreen)->Unit(benchmark::kMicrosecond);

void BM_RepaintAndPresent(benchmark::State& state) {
    Screen screen;
    for (auto _ : state) {
        screen.repaintAll();
        benchmark::DoNotOptimize(screen.present().row(0));
    }
}
BENCHMARK(BM_RepaintAndPresent)->Unit(benchmark::kMicrosecond);

// A bitmap to draw text on, with the 480 × 640 screens' font selected.
struct TextTarget {
    explicit TextTarget(int height) : target(480, height), dc(target) {
        dc.selectFont(&font);
        dc.setBkMode(draw::BackgroundMode::Transparent);
    }
    const draw::Font font{draw::FontSpec{"Verdana", 26, 400}};
    draw::Bitmap target;
    draw::DeviceContext dc;
};

void BM_TextLine(benchmark::State& state) {
    TextTarget t(40);
    for (auto _ : state) {
        t.dc.drawText(u"R 872 Brno hl.n. 14:40, přestup 8 min", Rect{0, 0, 480, 40});
    }
}
BENCHMARK(BM_TextLine)->Unit(benchmark::kMicrosecond);

// A message box's text wrapped between words into its width (four lines at 480 × 640).
void BM_WrappedText(benchmark::State& state) {
    TextTarget t(200);
    for (auto _ : state) {
        t.dc.drawText(
            u"Jízdní řád pro zvolený den není k dispozici. Stáhněte prosím novou "
            u"verzi dat, nebo zvolte jiné datum odjezdu.",
            Rect{80, 0, 440, 200}, draw::kTextWordBreak);
    }
}
BENCHMARK(BM_WrappedText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
