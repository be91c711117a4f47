#include "app/screens/options/OptionsUpdatePage.h"

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

cOptionsUpdatePage::cOptionsUpdatePage()
    : updater(0, loadResString(372)),
      startsProgram(1, loadResString(373)),
      appUpdate(2, loadResString(410)) {}

MsgResult cOptionsUpdatePage::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    cOptionsPage::OnCreate(wParam, lParam);
    updater.create(*this, kUpdaterCheckId);
    startsProgram.create(*this, kUpdaterStartsCheckId);
    appUpdate.create(*this, kAppUpdateCheckId);
    return 0;
}

void cOptionsUpdatePage::Layout(unsigned, int, int) {
    UpdateScrollLayout();
}

void cOptionsUpdatePage::UpdateScrollLayout() {
    const int width = ui::getClientRect(handle()).width();
    const int fh = shellSettings().fontHeight();
    int y = fh / 4;
    for (cOptionsCheckRow* check : {&updater, &startsProgram, &appUpdate}) {
        y = check->place(y, width, scrollOffset()) + fh / 4;
    }
    ui::invalidateRect(handle());
}

void cOptionsUpdatePage::loadValues(const OptionsValues& v) {
    updater.setChecked(v.updaterEnabled);
    OnUpdaterClicked();
    startsProgram.setChecked(v.updaterStartsProgram);
    appUpdate.setChecked(v.checkAppAct);
}

void cOptionsUpdatePage::storeValues(OptionsValues& v) const {
    v.updaterEnabled = updater.checked();
    v.updaterStartsProgram = startsProgram.checked();
    v.checkAppAct = appUpdate.checked();
}

void cOptionsUpdatePage::OnUpdaterClicked() {
    // The second box keeps its state while it is disabled.
    startsProgram.enable(updater.checked());
}

void cOptionsUpdatePage::OnSetFocus() {
    ui::setFocus(updater.box.handle());
}

const ui::MessageMapBase& cOptionsUpdatePage::messageMap() const {
    static const auto map = ui::MessageMap<cOptionsUpdatePage>(&cOptionsPage::messageMap())
                                .message(ui::WM_CREATE, &cOptionsUpdatePage::OnCreate)
                                .message(ui::WM_SETFOCUS, &cOptionsUpdatePage::OnSetFocus)
                                .command(kUpdaterCheckId, &cOptionsUpdatePage::OnUpdaterClicked);
    return map;
}

}  // namespace pelorvant
