#pragma once
// A button drawn from images: a normal, a pressed and a focused picture, or, as a 2 × 2 grid
// of four items, a pressed picture per item. It tells its parent of taps and keys with the
// strip's report value (WM_IMAGEBUTTON_CLICK, WM_IMAGESTRIP_ITEM0 to 3, WM_IMAGEBUTTON_KEY,
// WM_IMAGEBUTTON_ENTER), always sent.

#include "app/shell/LayoutAnchor.h"

#include "platform/draw/Bitmap.h"
#include "platform/ui/WindowObject.h"

#include <string>

namespace pelorvant {

class cImageStrip : public platform::ui::WindowObject {
public:
    // Loads the pictures of the non-empty names (with `variants` also the pressed name
    // followed by "1", "2" and "3"); throws ShellException "No image loaded Exception" when
    // one does not load.
    cImageStrip(std::u16string_view normalName, std::u16string_view pressedName,
                std::u16string_view focusedName, bool variants, int reportValue);

    bool createStrip(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id);
    // Replaces the normal and pressed pictures (the same failure as the constructor).
    void setImages(std::u16string_view normalName, std::u16string_view pressedName, bool stretch);

    // The grid item of a client point: left upper 0, right upper 1, left lower 2, right lower
    // 3; a point on a middle line belongs to the right or lower half.
    static int itemAt(const Rect& client, platform::draw::Point p);

    LayoutAnchor anchor;
    platform::draw::Bitmap normal;
    platform::draw::Bitmap pressedImage;
    platform::draw::Bitmap pressedItem[3];  // items 1 to 3
    platform::draw::Bitmap focused;
    bool variants = false;
    bool pressed = false;
    bool focusLook = false;
    bool fingerDown = false;
    int reportValue = 0;
    int activeItem = 0;
    bool stretch = true;
    bool hasImages = false;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    const platform::draw::Bitmap& currentImage() const;
    void redraw();
    void OnPaint();
    platform::MsgResult OnFingerDown(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnFingerMove(std::uintptr_t, std::intptr_t lParam);
    platform::MsgResult OnFingerUp(std::uintptr_t, std::intptr_t lParam);
    platform::MsgResult OnKeyDown(std::uintptr_t vk, std::intptr_t);
    platform::MsgResult OnKeyUp(std::uintptr_t vk, std::intptr_t);
    void OnSetFocus();
    void OnKillFocus();
    platform::MsgResult OnEraseBackground(std::uintptr_t, std::intptr_t);
    void tellParent(std::uint32_t message, std::uintptr_t wParam);
};

}  // namespace pelorvant
