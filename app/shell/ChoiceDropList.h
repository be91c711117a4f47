#pragma once
// The keypad choice box's own drop list: the current item between a left and a right arrow,
// stepped with Left and Right without wrap-around; Enter can open the whole list full screen.

#include "app/shell/LayoutAnchor.h"

#include "platform/draw/Font.h"
#include "platform/ui/WindowObject.h"

#include <memory>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr std::uintptr_t kChoiceDropListId = 2051;

class cChoiceBox;

class cChoiceDropList : public platform::ui::WindowObject {
public:
    explicit cChoiceDropList(cChoiceBox& box) : box_(box) {}
    // The window goes first, while the members its messages use still live.
    ~cChoiceDropList() override { destroy(); }

    bool createDropList(platform::WindowHandle box, const Rect& rect);
    // Makes the item current (no message) and redraws.
    void setCurrent(int index);
    // The window's text is the current item, so that what the box shows can be read.
    void mirrorText();

    std::unique_ptr<platform::draw::Font> font;
    int arrowPressed = 0;  // 0 none, 1 left, 2 right
    std::vector<std::u16string> items;
    int current = 0;
    bool hasFocus = false;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void changed();
    platform::MsgResult OnKeyDown(std::uintptr_t key, std::intptr_t);
    platform::MsgResult OnKeyUp(std::uintptr_t key, std::intptr_t);
    platform::MsgResult OnListChoiceDone(std::uintptr_t row, std::intptr_t);
    void OnTap();
    void OnSetFocus();
    void OnKillFocus();
    void OnPaint();

    cChoiceBox& box_;
};

}  // namespace pelorvant
