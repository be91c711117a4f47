#include "app/screens/options/WizardFrame.h"

#include "app/screens/options/OptionsFrame.h"
#include "app/shell/FatalError.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/LayoutFlags.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr int kSetChoiceViewId = 4025;

}  // namespace

std::u16string wizardConfirmationText(std::int32_t fontHeight) {
    std::u16string text = loadResString(196);
    const std::u16string numbers[] = {decimalText(static_cast<std::int32_t>(fontHeight * 1.2)),
                                      decimalText(fontHeight)};
    std::size_t at = 0;
    for (const std::u16string& number : numbers) {
        at = text.find(u"%d", at);
        if (at == std::u16string::npos)
            break;
        text.replace(at, 2, number);
        at += number.size();
    }
    return text;
}

cWizardFrame::cWizardFrame(ProgramContext& context, cImageMessageBoxView& messageBox,
                           std::function<void()> terminate)
    : cTabbedForm(true, false, false),
      basic(*context.settings, kWizardViewId),
      context_(context),
      messageBox_(messageBox),
      terminate_(std::move(terminate)) {
    showsTabs = false;
}

cWizardFrame::~cWizardFrame() {
    destroy();
}

bool cWizardFrame::createFrame(WindowHandle tabPage, const Rect& rect) {
    return createView(tabPage, rect, kWizardViewId);
}

MsgResult cWizardFrame::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    cTabbedForm::OnCreate(wParam, lParam);
    basic.createPage(handle(), HelpTarget{&messageBox_, kWizardViewId, -1, kWizardMenuId});
    return 0;
}

bool cWizardFrame::Refresh() {
    formPages.clear();
    pageTitles.clear();
    AddPage(nullptr, loadResString(348));
    const Rect client = ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
    loaded_ = loadWizardValues(context_.ini(), *context_.settings);
    basic.loadValues(loaded_, true);
    basic.ShowView(ui::SW_SHOW);
    basic.ResetFocus();
    currentItem = 0;
    return true;
}

void cWizardFrame::Layout(unsigned flags, int width, int height) {
    if ((flags & kLayoutSizeUnchanged) && !(flags & kLayoutInputPanel))
        return;
    ui::moveWindow(basic.handle(), 0, 0, width, height);
    basic.Layout(0, width, height);
}

void cWizardFrame::finish() {
    OptionsValues chosen = loaded_;
    basic.storeValues(chosen, true);
    saveWizardValues(context_.ini(), *context_.settings, chosen);
    if (!context_.ini().flush()) {
        // Nothing reached the disk: the user is told and stays in the wizard, which may be
        // finished again; the choices stay in the INI store meanwhile.
        platform::shell::messageBox(mainFrameWindow(), settingsNotSavedText(), loadResString(162),
                                    0);
        return;
    }
    messageBox_.showText(wizardConfirmationText(context_.settings->fontHeight), kSetChoiceViewId,
                         -1, false);
}

void cWizardFrame::exit() {
    if (terminate_)
        terminate_();
}

void cWizardFrame::OnSetFocus() {
    ui::setFocus(basic.handle());
}

const ui::MessageMapBase& cWizardFrame::messageMap() const {
    static const auto map = ui::MessageMap<cWizardFrame>(&cTabbedForm::messageMap())
                                .message(ui::WM_CREATE, &cWizardFrame::OnCreate)
                                .message(ui::WM_SETFOCUS, &cWizardFrame::OnSetFocus)
                                .command(kCommandWizardFinish, &cWizardFrame::finish)
                                .command(platform::shell::IDOK, &cWizardFrame::finish)
                                .command(kCommandWizardExit, &cWizardFrame::exit);
    return map;
}

}  // namespace pelorvant
