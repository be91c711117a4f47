#pragma once
// A short rich-text hint next to a control: prepared for a target, shown after a delay above or
// below it within the page, and hidden again after a display time or on a tap.

#include "app/shell/ImageLabel.h"

#include "platform/ui/WindowObject.h"

#include <string>

namespace pelorvant {

inline constexpr std::uintptr_t kHintTimer = 2027;
inline constexpr std::uintptr_t kHintLabelId = 2033;
inline constexpr int kHintShowDelay = 700;
inline constexpr int kHintDefaultDisplayTime = 5000;
inline constexpr platform::draw::Color kHintColor = platform::draw::rgb(255, 255, 201);

// Where a hint goes relative to its target.
enum class HintPlacement {
    Automatic = 0,  // above when there is room, else below, else by the caller's offsets
    Above = 1,
    Below = 2,   // below, at the right edge of the page
    Beside = 3,  // on the target's line, at its right end (a row of a list: only that row hidden)
};

class cHintWindow : public platform::ui::WindowObject {
public:
    cHintWindow() : label(false) {}

    // Creates the hidden hint as a child of the page it is shown on.
    bool createHint(platform::WindowHandle page);

    // Prepares a hint for the target: shown after showDelay for `displayTime` ms. The first
    // and third offsets place it when there is no room above or below the target.
    void ShowHintForControl(platform::WindowHandle target, std::u16string_view text,
                            int displayTime, int kept, int offset1, int offset2, int offset3);
    // The same, placed below the target when `below` is set, else above it.
    void ShowHintForControl(platform::WindowHandle target, std::u16string_view text,
                            int displayTime, int kept, int offset1, int offset2, int offset3,
                            bool below);
    // The same for a part of the target drawn by the target itself (a row of a list): `area`
    // in the target's client coordinates stands in for the target's window rectangle.
    void ShowHintForControl(platform::WindowHandle target, const Rect& area,
                            std::u16string_view text, int displayTime, int kept, int offset1,
                            int offset2, int offset3,
                            HintPlacement placement = HintPlacement::Automatic);
    void ShowHint(bool show);

    std::u16string hintText;
    platform::WindowHandle target = platform::kNullWindow;
    int kept = 0;
    int offsets[3]{};
    ImageLabel label;
    Rect targetRect;  // on the screen; left moved in by a third of the font height
    int showDelay = kHintShowDelay;
    int displayTime = kHintDefaultDisplayTime;
    bool shown = false;
    bool justChanged = false;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void prepare(platform::WindowHandle target, const Rect& screenRect, std::u16string_view text,
                 int displayTime, int kept, int offset1, int offset2, int offset3,
                 HintPlacement placement);
    void setHintText(std::u16string_view text, HintPlacement placement);
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnTimer(std::uintptr_t id, std::intptr_t);
    void OnPaint();
    void OnTap();
};

}  // namespace pelorvant
