#pragma once
// A small window over the current view with a question and one choice box: the answer goes to
// a callback with the asking window. Its window is made anew for each question and destroyed
// when it closes (Ok, Storno, or the combo box losing the focus).

#include "app/shell/BaseView.h"
#include "app/shell/ChoiceBox.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ViewTable.h"

#include "platform/draw/Font.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr int kChoicePopupViewId = 5034;
inline constexpr std::uint32_t kCommandChoiceOk = 32800;
inline constexpr std::uint32_t kCommandChoiceCancel = 32801;
inline constexpr std::uintptr_t kChoicePopupLabelId = 2056;
// The choice box has its own id beside the label's.
inline constexpr std::uintptr_t kChoicePopupBoxId = 2057;

class cChoicePopup : public cBaseView {
public:
    // The chosen text and the asking window; the result is not used.
    using Callback = std::function<void(std::u16string_view chosen, platform::WindowHandle asking)>;

    cChoicePopup();
    // The window goes first, while the members its messages use still live.
    ~cChoicePopup() override { destroy(); }

    // Shows the question (markup) with the strings to choose from over `asking`; the tab page
    // switches to the popup's pseudo-view and back to `returnView` when it closes.
    void ShowChoice(std::u16string_view question, const std::vector<std::u16string>& strings,
                    Callback callback, platform::WindowHandle asking, int returnView);
    void close();
    // Lays the popup out from the question's size within the asking window.
    void layoutPopup();

    cChoiceBox choice;
    ImageLabel label;
    platform::WindowHandle asking = platform::kNullWindow;
    int returnView = 0;
    std::u16string question;
    std::unique_ptr<platform::draw::Font> font;
    Rect design[2];
    Rect pixels[2];
    Callback callback;
    bool shown = false;
    // The tab page's view switch (the pseudo-view puts up menu 167 with Ok and Storno).
    std::function<void(int viewId)> showView;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    bool createPopupWindow();
    void OnOk();
    void OnCancel();
    platform::MsgResult OnChoiceKillFocus(std::uintptr_t, std::intptr_t);
    void OnClose();
    void OnPaint();
};

}  // namespace pelorvant
