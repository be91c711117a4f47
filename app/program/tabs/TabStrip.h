#pragma once
// One tab header: its title, shortened with ".." when the header is narrower than the title,
// a close button on the active header, and the finger input that makes a tab active.
#include "app/shell/ImageStrip.h"

#include "platform/draw/Font.h"
#include "platform/ui/WindowObject.h"

#include <memory>
#include <string>

namespace pelorvant {

class cTabHost;

inline constexpr std::uintptr_t kTabHeaderId = 452;
inline constexpr std::uintptr_t kTabCloseButtonId = 2052;

class cTabStrip : public platform::ui::WindowObject {
public:
    // The host must outlive the header.
    explicit cTabStrip(cTabHost& host);

    // Creates the header as a visible child of the host at (x, 0), 50 × 50.
    bool createHeader(platform::WindowHandle hostWindow, int x, int index);
    void SetTitle(std::u16string_view title);
    // Shortens the shown text to the width (less the close button with reserveClose) and picks
    // the close image that fits.
    void Refresh(bool reserveClose);
    // Moves the header to (x, 1) keeping its size.
    void placeAt(int x);
    bool isActive() const;

    std::unique_ptr<platform::draw::Font> font;  // owned
    std::unique_ptr<cImageStrip> closeButton;     // owned
    int headerPadding = 0;
    int heightPadding = 0;
    int closeSize = 11;
    int closeInset = 0;
    int activeExtra = 4;
    int width = 50;
    int naturalWidth = 50;
    int height = 50;
    int index = 0;
    std::u16string title;
    std::u16string shownText;
    bool focusHighlight = false;
    bool pressed = false;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void resizeWindow();
    void OnPaint();
    platform::MsgResult OnFingerDown(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnFingerUp(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnCloseClick(std::uintptr_t wParam, std::intptr_t lParam);

    cTabHost& host_;
};

}  // namespace pelorvant
