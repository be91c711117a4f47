#include "app/screens/other/OptionsUpdatePage.h"

#include "app/screens/other/OptionsOperatorPage.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

cOptionsUpdatePage::cOptionsUpdatePage() {
    int order = 0;
    for (cImageButton* check : {&updater, &startsProgram, &appUpdate}) {
        check->anchor.canTakeFocus = true;
        check->anchor.focusOrder = order++;
    }
}

MsgResult cOptionsUpdatePage::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    cOptionsPage::OnCreate(wParam, lParam);
    const Rect small{0, 0, 10, 10};
    updater.createButton(handle(), loadResString(372), small, kUpdaterCheckId, controls::BS_AUTOCHECKBOX);
    startsProgram.createButton(handle(), loadResString(373), small, kUpdaterStartsCheckId, controls::BS_AUTOCHECKBOX);
    appUpdate.createButton(handle(), loadResString(410), small, kAppUpdateCheckId, controls::BS_AUTOCHECKBOX);
    for (cImageButton* check : {&updater, &startsProgram, &appUpdate}) addFocusItem(check->anchor, check->handle());
    return 0;
}

void cOptionsUpdatePage::Layout(unsigned, int, int) { UpdateScrollLayout(); }

void cOptionsUpdatePage::UpdateScrollLayout() {
    const int width = ui::getClientRect(handle()).width();
    const int fh = shellSettings().fontHeight();
    int y = fh / 4;
    for (cImageButton* check : {&updater, &startsProgram, &appUpdate}) {
        // "i pokud není aplikace spuštěna" is one line; the others may take two.
        const int lines = check == &startsProgram ? 1 : 2;
        const Rect r = Rect::fromSize(width * 2 / 100, y, width * 96 / 100, lines * fh + fh / 2);
        ui::moveWindow(check->handle(), r.left, r.top, r.width(), r.height());
        platform::sendMessage(check->handle(), controls::WM_SETFONT,
                              reinterpret_cast<std::uintptr_t>(&shellSettings().mainFont()), 1);
        check->anchor.computed = r;
        y += r.height() + fh / 4;
    }
    ui::invalidateRect(handle());
}

void cOptionsUpdatePage::loadValues(const OptionsValues& v) {
    setButtonChecked(updater.handle(), v.updaterEnabled);
    OnUpdaterClicked();
    setButtonChecked(startsProgram.handle(), v.updaterStartsProgram);
    setButtonChecked(appUpdate.handle(), v.checkAppAct);
}

void cOptionsUpdatePage::storeValues(OptionsValues& v) const {
    v.updaterEnabled = isButtonChecked(updater.handle());
    v.updaterStartsProgram = isButtonChecked(startsProgram.handle());
    v.checkAppAct = isButtonChecked(appUpdate.handle());
}

void cOptionsUpdatePage::OnUpdaterClicked() {
    // The second box keeps its state while it is disabled.
    const bool on = isButtonChecked(updater.handle());
    ui::enableWindow(startsProgram.handle(), on);
    startsProgram.anchor.canTakeFocus = on;
}

void cOptionsUpdatePage::OnSetFocus() { ui::setFocus(updater.handle()); }

const ui::MessageMapBase& cOptionsUpdatePage::messageMap() const {
    static const auto map = ui::MessageMap<cOptionsUpdatePage>(&cOptionsPage::messageMap())
                                .message(ui::WM_CREATE, &cOptionsUpdatePage::OnCreate)
                                .message(ui::WM_SETFOCUS, &cOptionsUpdatePage::OnSetFocus)
                                .command(kUpdaterCheckId, &cOptionsUpdatePage::OnUpdaterClicked);
    return map;
}

}  // namespace pelorvant
