#pragma once
// The full-screen message and chooser view of a tab: a long markup text in a scrolling label,
// or a list of rows to pick one from. Ok (or Done) returns to the view and menu that opened it;
// a pick is sent to the control that asked (WM_LIST_CHOICE_DONE).

#include "app/shell/BaseView.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ListBox.h"
#include "app/shell/ViewSwitcher.h"

#include <string>
#include <vector>

namespace pelorvant {

inline constexpr int kImageMessageBoxViewId = 4027;
inline constexpr const char16_t* kImageMessageBoxName = u"ImageMessageBox";
inline constexpr std::uintptr_t kMessageLabelId = 2031;
inline constexpr std::uintptr_t kMessageListId = 432423;
inline constexpr int kMessageTextMenu = 131;  // "Ok"
inline constexpr int kMessageListMenu = 133;  // "Vyber"
inline constexpr std::uint32_t kCommandMessageOk = 32775;
inline constexpr std::uint32_t kCommandMessageChoose = 32780;

class cImageMessageBoxView : public cBaseView {
public:
    cImageMessageBoxView() : cBaseView(true, false, false), label(true) {}

    // Creates the hidden view as a child of its tab page.
    bool createMessageView(platform::WindowHandle tabPage, const Rect& rect);

    // Shows the text (wrapped lines indented when `indent`); Ok returns to returnView with
    // returnMenu.
    void showText(std::u16string_view text, int returnView, int returnMenu, bool indent);
    // The same, and Ok gives the focus back to `focusOnReturn`.
    void showTextReturnTo(std::u16string_view text, int returnView, int returnMenu,
                          platform::WindowHandle focusOnReturn, bool indent);
    // Shows the rows with `selected` chosen; the pick goes to `asker`.
    void showList(std::vector<std::u16string> rows, int returnView, int returnMenu,
                  platform::WindowHandle asker, int selected);

    void menuOkClick();
    void menuDoneClick();

    void Layout(unsigned flags, int width, int height) override;

    ImageLabel label;
    cListBox rowList;
    int returnView = 0;
    platform::WindowHandle asker = platform::kNullWindow;
    int returnMenu = kOwnMenu;
    bool refocusOnReturn = false;
    platform::WindowHandle focusOnReturn = platform::kNullWindow;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void switchTo(int viewId, int menuId);
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    void OnListBoxReturn();
};

}  // namespace pelorvant
