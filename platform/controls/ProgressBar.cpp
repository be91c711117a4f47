#include "platform/controls/ProgressBar.h"

#include "platform/controls/Control.h"
#include "platform/controls/ControlStyle.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace platform::controls {
namespace {

class ProgressBar : public detail::Control {
public:
    const ui::MessageMapBase& messageMap() const override {
        static const auto map = ui::MessageMap<ProgressBar>(&Control::messageMap())
                                    .message(PBM_SETRANGE, &ProgressBar::onSetRange)
                                    .message(PBM_SETRANGE32, &ProgressBar::onSetRange32)
                                    .message(PBM_GETRANGE, &ProgressBar::onGetRange)
                                    .message(PBM_SETPOS, &ProgressBar::onSetPos)
                                    .message(PBM_DELTAPOS, &ProgressBar::onDeltaPos)
                                    .message(PBM_SETSTEP, &ProgressBar::onSetStep)
                                    .message(PBM_STEPIT, &ProgressBar::onStepIt)
                                    .message(PBM_GETPOS, &ProgressBar::onGetPos);
        return map;
    }

private:
    MsgResult range() const {
        return static_cast<MsgResult>(
            ui::makeWParam(static_cast<unsigned>(min_), static_cast<unsigned>(max_)));
    }
    MsgResult onSetRange(std::uintptr_t, std::intptr_t lp) {
        const MsgResult old = range();
        setRange(static_cast<std::int16_t>(ui::lowWord(static_cast<std::uintptr_t>(lp))),
                 static_cast<std::int16_t>(ui::highWord(static_cast<std::uintptr_t>(lp))));
        return old;
    }
    MsgResult onSetRange32(std::uintptr_t wp, std::intptr_t lp) {
        const MsgResult old = range();
        setRange(static_cast<int>(static_cast<std::intptr_t>(wp)), static_cast<int>(lp));
        return old;
    }
    MsgResult onGetRange(std::uintptr_t wp, std::intptr_t) { return wp ? min_ : max_; }
    MsgResult onSetPos(std::uintptr_t wp, std::intptr_t) {
        return move(static_cast<int>(static_cast<std::intptr_t>(wp)));
    }
    MsgResult onDeltaPos(std::uintptr_t wp, std::intptr_t) {
        return move(pos_ + static_cast<int>(static_cast<std::intptr_t>(wp)));
    }
    MsgResult onSetStep(std::uintptr_t wp, std::intptr_t) {
        const int old = step_;
        step_ = static_cast<int>(static_cast<std::intptr_t>(wp));
        return old;
    }
    MsgResult onStepIt(std::uintptr_t, std::intptr_t) {
        // Stepping past the end starts again from the start, as the customary bar does.
        int next = pos_ + step_;
        if (next > max_) {
            next = min_ + (next - max_);
        }
        return move(next);
    }
    MsgResult onGetPos(std::uintptr_t, std::intptr_t) { return pos_; }

    void setRange(int lo, int hi) {
        min_ = lo;
        max_ = std::max(lo, hi);
        pos_ = std::clamp(pos_, min_, max_);
        ui::invalidateRect(handle());
    }

    int move(int to) {
        const int old = pos_;
        pos_ = std::clamp(to, min_, max_);
        if (pos_ != old) {
            ui::invalidateRect(handle());
        }
        return old;
    }

    void paint() override {
        ui::PaintContext paint(handle());
        draw::DeviceContext& dc = paint.dc();
        const draw::Rect c = ui::getClientRect(handle());
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
    return detail::controlClassProc<ProgressBar>();
}

}  // namespace platform::controls
