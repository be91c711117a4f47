// Cost of the shell's building blocks on a 480 × 640 screen: laying out and drawing two
// screens of rich text with inline images (what every ImageLabel::SetText does), and one step
// of kinetic scrolling through a 200-line label, repainted and presented (one frame).

#include "app/core/PrivateMessages.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ImageNameRegistry.h"

#include "platform/backends/HeadlessBackend.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/VirtualClock.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace platform;
using draw::Rect;
using pelorvant::ImageLabel;

// Two screens of connection details at 480 × 640: about 45 lines with images and styles.
std::u16string twoScreens() {
    std::u16string text;
    for (int i = 0; i < 9; ++i) {
        text += u"<*b*>R 872 Praha hl.n. – Brno hl.n.<*b*>\r";
        text += u"#*infoC*# odjezd 12:05 z nástupiště 3, <*i*>přestup 8 min<*i*>\r";
        text += u"\tjede denně kromě 24. 12., #*sipka*# Kolín, Pardubice, Česká Třebová\r";
        text += u"<*u*>Jízdenku<*u*> lze koupit ve vlaku bez přirážky.\r\r";
    }
    return text;
}

std::u16string manyLines(int n) {
    std::u16string text;
    for (int i = 0; i < n; ++i) {
        text += u"Řádek seznamu číslo " + std::u16string(1, char16_t(u'0' + i % 10)) + u"\r";
    }
    return text;
}

class Screen {
public:
    Screen() : backend_(*ui::findDeviceProfile("480x640")) {
        pelorvant::registerImageNames();
        ui::CreateParams p;
        p.className = "Frame";
        p.style = ui::WS_VISIBLE;
        p.rect = Rect{0, 0, 480, 640};
        frame_ = ui::createWindow(p, ui::defWindowProc);
        label_.createList(frame_, Rect{0, 0, 480, 640}, 1);
        ui::pumpMessages();
    }
    ~Screen() { ui::destroyWindow(frame_); }
    ImageLabel& label() { return label_; }
    const draw::Bitmap& present() { return backend_.present(); }

private:
    VirtualClock clock_{0};
    backends::HeadlessBackend backend_;
    WindowHandle frame_ = kNullWindow;
    ImageLabel label_{true};
};

void BM_LabelTwoScreensSetText(benchmark::State& state) {
    Screen screen;
    const std::u16string text = twoScreens();
    for (auto _ : state) {
        screen.label().SetText(text);
        benchmark::DoNotOptimize(screen.label().GetTextHeight());
    }
}
BENCHMARK(BM_LabelTwoScreensSetText)->Unit(benchmark::kMicrosecond);

void BM_KineticStep200Lines(benchmark::State& state) {
    Screen screen;
    screen.label().SetText(manyLines(200));
    int direction = 1;
    for (auto _ : state) {
        if (sendMessage(screen.label().handle(), pelorvant::WM_KINETIC_SCROLL,
                        static_cast<std::uintptr_t>(static_cast<std::intptr_t>(12 * direction)),
                        0) == 0) {
            direction = -direction;  // an end: back the other way
        }
        ui::pumpMessages();
        benchmark::DoNotOptimize(screen.present().row(0));
    }
}
BENCHMARK(BM_KineticStep200Lines)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
