#pragma once
// A view made of several page views, optionally with a tab control along the bottom edge that
// switches between them (the search form, the options dialog, the wizard, the data screens).
// The form owns its pages; a derived form adds them with AddPage when its window is created.

#include "app/shell/BaseView.h"

#include <memory>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr std::uintptr_t kFormTabControlId = 2054;

class cTabbedForm : public cBaseView {
public:
    cTabbedForm(bool doneButton, bool showStrip, bool thirdFlag)
        : cBaseView(doneButton, showStrip, thirdFlag) {}
    ~cTabbedForm() override;

    // Adds a tab with the title when the form shows tabs, and the page (which may be null).
    void AddPage(std::unique_ptr<cBaseView> page, std::u16string title);
    // Hides every page, shows page n with its focus reset and focused; n becomes current. The
    // tab control's selection stays as it is. Nothing happens for a page that does not exist.
    virtual void showPage(int n);

    void Layout(unsigned flags, int width, int height) override;
    // Where the pages lie in a client area of width × height: above the tab control when the
    // form shows tabs, else all of it.
    Rect pageArea(int width, int height) const;

    // The page at n; null when there is none. Owned by the form.
    cBaseView* page(int n) const;
    int pageCount() const { return static_cast<int>(formPages.size()); }
    WindowHandle tabControl() const { return tabControl_; }

    std::vector<std::unique_ptr<cBaseView>> formPages;
    std::vector<std::u16string> pageTitles;
    bool showsTabs = false;  // set by a derived form's constructor

    const platform::ui::MessageMapBase& messageMap() const override;

protected:
    // Derived forms that handle WM_CREATE themselves call this first.
    MsgResult OnCreate(std::uintptr_t wParam, std::intptr_t lParam);
    void OnSetFocus();
    void OnTabSelChange(const platform::ui::NotifyHeader& header, MsgResult& result);

private:
    WindowHandle tabControl_ = platform::kNullWindow;
};

}  // namespace pelorvant
