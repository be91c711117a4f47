#pragma once
// Full-screen object entry on touch screens: while the input panel covers the search page it
// borrows the From, To or Via box, gives it the screen's width and a tall suggestion list, and
// shows a category filter above it. "Ok" returns the box with the typed choice (the first
// suggestion when nothing was chosen), "Storno" with the choice it had before.
#include "app/core/ProgramContext.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageStatic.h"
#include "app/shell/TextBox.h"

#include "platform/draw/Font.h"

#include <array>
#include <memory>

namespace pelorvant {

inline constexpr int kTextBoxPPCViewId = 4036;
inline constexpr std::uintptr_t kEntryCategoryComboId = 321;
inline constexpr std::uintptr_t kEntryCategoryLabelId = 322;
inline constexpr std::uint32_t kCommandEntryOk = 32777;
inline constexpr std::uint32_t kCommandEntryCancel = 32811;

class cTextBoxPPCView : public cBaseView {
public:
    // The context outlives the view.
    explicit cTextBoxPPCView(ProgramContext& context);

    bool createEntryView(platform::WindowHandle tabPage, const Rect& rect);

    // Borrows the box (nothing when one is borrowed already) and shows the view. `page` is the
    // search page the box goes back to; `filter` the form's category filter index.
    void TakeTextBox(cTextBox& box, cBaseView& page, int filter);
    void menuOkClick();
    void menuCancelClick();
    // The combo box's selection: 0 no restriction, n the n-th merged category.
    int GetSelectedCategory() const;
    void FillCategories(const std::vector<std::u16string>& categories);
    bool borrowing() const { return box_ != nullptr; }

    void Layout(unsigned flags, int width, int height) override;

    cImageStatic label;
    platform::WindowHandle combo = platform::kNullWindow;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    void giveBack();

    ProgramContext& context_;
    cTextBox* box_ = nullptr;
    cBaseView* page_ = nullptr;
    Rect pageRect_;
    std::unique_ptr<cTextBoxKategorieElement> kept_;
    std::unique_ptr<platform::draw::Font> font_;
    // Design rectangles (percent): text box, label, combo box.
    std::array<Rect, 3> design_{Rect{5, 10, 98, 20}, Rect{2, 2, 30, 9}, Rect{31, 1, 98, 50}};
};

}  // namespace pelorvant
