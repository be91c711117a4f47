#include "app/shell/TabbedForm.h"

#include "app/shell/BottomTabControl.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/TabControl.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;

cTabbedForm::~cTabbedForm() {
    // The pages are children of the form's window: destroy it while they still exist.
    destroy();
}

MsgResult cTabbedForm::OnCreate(std::uintptr_t, std::intptr_t) {
    if (showsTabs) tabControl_ = createBottomTabControl(handle(), kFormTabControlId);
    pageTitles.clear();
    return 0;
}

void cTabbedForm::AddPage(std::unique_ptr<cBaseView> page, std::u16string title) {
    if (showsTabs && tabControl_ != platform::kNullWindow) {
        controls::TabItem item;
        item.mask = controls::TCIF_TEXT;
        item.text = title;
        const auto end = platform::sendMessage(tabControl_, controls::TCM_GETITEMCOUNT, 0, 0);
        platform::sendMessage(tabControl_, controls::TCM_INSERTITEM,
                              static_cast<std::uintptr_t>(end),
                              reinterpret_cast<std::intptr_t>(&item));
    }
    formPages.push_back(std::move(page));
    pageTitles.push_back(std::move(title));
}

cBaseView* cTabbedForm::page(int n) const {
    return n >= 0 && n < pageCount() ? formPages[n].get() : nullptr;
}

void cTabbedForm::showPage(int n) {
    cBaseView* shown = page(n);
    if (!shown) {
        return;
    }
    for (const auto& p : formPages) {
        if (p) {
            p->ShowView(ui::SW_HIDE);
        }
    }
    shown->ShowView(ui::SW_SHOW);
    shown->ResetFocus();
    ui::setFocus(shown->handle());
    currentItem = n;
}

void cTabbedForm::Layout(unsigned flags, int width, int height) {
    if ((flags & kLayoutSizeUnchanged) && !(flags & kLayoutInputPanel)) {
        return;
    }
    if (showsTabs && tabControl_ != platform::kNullWindow) {
        ui::moveWindow(tabControl_, 0, 0, width, height);
    }
    const Rect area = pageArea(width, height);
    for (const auto& p : formPages) {
        if (p) {
            ui::moveWindow(p->handle(), area.left, area.top, area.width(), area.height());
            const Rect own = ui::getClientRect(p->handle());
            p->Layout(flags, own.width(), own.height());
        }
    }
}

Rect cTabbedForm::pageArea(int width, int height) const {
    if (!showsTabs || tabControl_ == platform::kNullWindow) return ui::getClientRect(handle());
    Rect tab;
    platform::sendMessage(tabControl_, controls::TCM_GETITEMRECT, 0, reinterpret_cast<std::intptr_t>(&tab));
    const int e = shellSettings().highResolution() ? 2 : 1;
    return Rect::fromSize(e, e, width - 3 * e, height - tab.height() - 5 * e);
}

void cTabbedForm::OnSetFocus() {
    const int current =
        showsTabs && tabControl_ != platform::kNullWindow
            ? static_cast<int>(platform::sendMessage(tabControl_, controls::TCM_GETCURSEL, 0, 0))
            : currentItem;
    if (cBaseView* p = page(current)) {
        ui::setFocus(p->handle());
    }
}

void cTabbedForm::OnTabSelChange(const ui::NotifyHeader&, MsgResult& result) {
    showPage(static_cast<int>(platform::sendMessage(tabControl_, controls::TCM_GETCURSEL, 0, 0)));
    result = 0;
}

const ui::MessageMapBase& cTabbedForm::messageMap() const {
    static const auto map =
        ui::MessageMap<cTabbedForm>(&cBaseView::messageMap())
            .message(ui::WM_CREATE, &cTabbedForm::OnCreate)
            .message(ui::WM_SETFOCUS, &cTabbedForm::OnSetFocus)
            .notify(kFormTabControlId, controls::TCN_SELCHANGE, &cTabbedForm::OnTabSelChange);
    return map;
}

}  // namespace pelorvant
