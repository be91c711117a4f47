#pragma once
// The drop-down suggestion list of an object text box: a child of the box's parent, right
// below the box. History rows in blue, favourites in green, the rest in black, each followed
// by its category kind in grey; in favourites mode one more row offers to add the chosen
// object. A hint repeats the selected name in large letters.

#include "app/shell/HintWindow.h"
#include "app/shell/ScrollList.h"
#include "app/shell/TextBoxElement.h"

#include "platform/draw/Font.h"

#include <memory>

namespace pelorvant {

inline constexpr std::uintptr_t kTextBoxListId = 2043;
inline constexpr std::uintptr_t kTextBoxHintId = 456123;
inline constexpr platform::draw::Color kHistoryColor = platform::draw::rgb(0, 0, 255);
inline constexpr platform::draw::Color kFavouriteColor = platform::draw::rgb(10, 178, 10);

class cTextBox;

class cTextBoxList : public cScrollList {
public:
    explicit cTextBoxList(cTextBox& box) : box_(box) {}
    // The window goes first, while the members its messages use still live.
    ~cTextBoxList() override { destroy(); }

    // Creates the hidden list as a bordered child of `parent`; its hint is a child of
    // `hintParent`.
    bool createSuggestions(platform::WindowHandle parent, platform::WindowHandle hintParent);

    // Shows rows of `slots` (owned by the box): count of them, plus the add-to-favourites row
    // in favourites mode. Counts beyond the slots are cut to the slots.
    void setItems(const cTextBoxKategorieElement* slots, int count, int historyCount,
                  int favouritesCount, bool favouritesMode);
    void hide();
    // Selects an existing row and scrolls it into view (other values are ignored).
    void SelectItem(int index) override;
    void ScrollTo(int position) override;
    void ScrollLine(bool up) override;

    // The row height: the list font's height.
    static int rowHeight();
    // The name of a row as the list draws it, without the kind.
    std::u16string rowName(int row) const;
    int rowCount() const { return rows; }

    const cTextBoxKategorieElement* items = nullptr;
    int rows = 0;
    int historyCount = 0;
    int favouritesCount = 0;
    int visibleRows = 0;
    int selected = 0;
    bool favouritesMode = false;
    bool pressed = false;
    platform::WindowHandle hintParent = platform::kNullWindow;
    cHintWindow hint;
    std::unique_ptr<platform::draw::Font> font;
    std::unique_ptr<platform::draw::Font> italicFont;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    // Enter or Right on a row, or a release.
    void takeRow(bool byTap);
    platform::MsgResult OnCreate(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnKeyDown(std::uintptr_t key, std::intptr_t);
    platform::MsgResult OnHotKey(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnPress(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnRelease(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnKillFocus(std::uintptr_t newFocus, std::intptr_t);
    void OnPaint();

    cTextBox& box_;
};

}  // namespace pelorvant
