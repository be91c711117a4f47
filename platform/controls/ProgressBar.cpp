#include "platform/controls/ProgressBar.h"

#include "platform/controls/ControlStyle.h"
#include "platform/controls/ControlWindow.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace platform::controls {
namespace {

class ProgressState {
public:
    explicit ProgressState(WindowHandle) {}

    MsgResult handle(WindowHandle h, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
        MsgResult result = 0;
        if (detail::handleOwnPainting(
                h, m, wp, lp, [&] { paint(h); }, result)) {
            return result;
        }
        switch (m) {
            case ui::WM_CREATE:
                return 0;
            case PBM_SETRANGE: {
                const MsgResult old = static_cast<MsgResult>(
                    ui::makeWParam(static_cast<unsigned>(min_), static_cast<unsigned>(max_)));
                setRange(static_cast<std::int16_t>(ui::lowWord(static_cast<std::uintptr_t>(lp))),
                         static_cast<std::int16_t>(ui::highWord(static_cast<std::uintptr_t>(lp))),
                         h);
                return old;
            }
            case PBM_SETRANGE32: {
                const MsgResult old = static_cast<MsgResult>(
                    ui::makeWParam(static_cast<unsigned>(min_), static_cast<unsigned>(max_)));
                setRange(static_cast<int>(static_cast<std::intptr_t>(wp)), static_cast<int>(lp), h);
                return old;
            }
            case PBM_GETRANGE:
                return wp ? min_ : max_;
            case PBM_SETPOS:
                return move(h, static_cast<int>(static_cast<std::intptr_t>(wp)));
            case PBM_DELTAPOS:
                return move(h, pos_ + static_cast<int>(static_cast<std::intptr_t>(wp)));
            case PBM_SETSTEP: {
                const int old = step_;
                step_ = static_cast<int>(static_cast<std::intptr_t>(wp));
                return old;
            }
            case PBM_STEPIT: {
                // Stepping past the end starts again from the start, as the customary bar does.
                int next = pos_ + step_;
                if (next > max_) {
                    next = min_ + (next - max_);
                }
                return move(h, next);
            }
            case PBM_GETPOS:
                return pos_;
            default:
                return ui::defWindowProc(h, m, wp, lp);
        }
    }

private:
    void setRange(int lo, int hi, WindowHandle h) {
        min_ = lo;
        max_ = std::max(lo, hi);
        pos_ = std::clamp(pos_, min_, max_);
        ui::invalidateRect(h);
    }

    int move(WindowHandle h, int to) {
        const int old = pos_;
        pos_ = std::clamp(to, min_, max_);
        if (pos_ != old) {
            ui::invalidateRect(h);
        }
        return old;
    }

    void paint(WindowHandle h) {
        ui::PaintContext paint(h);
        draw::DeviceContext& dc = paint.dc();
        const draw::Rect c = ui::getClientRect(h);
        dc.fillRect(c, kWindowColor);
        drawFrame(dc, c, kSecondaryTextColor);
        const int inner = c.width() - 2;
        const long span = static_cast<long>(max_) - min_;
        const int filled =
            span > 0 ? static_cast<int>(static_cast<long>(pos_ - min_) * inner / span) : 0;
        dc.fillRect(draw::Rect{1, 1, 1 + filled, c.bottom - 1}, kSelectionColor);
    }

    int min_ = 0;
    int max_ = 100;
    int pos_ = 0;
    int step_ = 10;
};

}  // namespace

WindowProc progressBarProc() {
    return detail::controlClassProc<ProgressState>();
}

}  // namespace platform::controls
