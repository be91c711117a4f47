#include "app/screens/options/OptionsFrame.h"

#include "app/shell/FatalError.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ViewSwitcher.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/TabControl.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/Menu.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace shell = platform::shell;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr int kSearchFormViewId = 4028;
constexpr int kFixedPages = 4;
constexpr std::uintptr_t kMenuButton = 402;

}  // namespace

std::u16string settingsNotSavedText() {
    return u"Nastavení se nepodařilo zapsat na disk (disk je plný nebo složka s daty je jen pro "
           u"čtení). "
           u"Zvolené hodnoty zůstávají v aplikaci; uvolněte místo nebo povolte zápis a uložte je "
           u"znovu.";
}

cOptionsFrame::cOptionsFrame(ProgramContext& context, ViewSwitcher& tab,
                             cImageMessageBoxView& messageBox,
                             std::function<WindowHandle()> menuBar)
    : cTabbedForm(true, false, false),
      basic(*context.settings, kOptionsViewId),
      operatorPage(context.settings->isNotSmartphone, kOptionsViewId),
      search(kOptionsViewId),
      context_(context),
      tab_(tab),
      messageBox_(messageBox),
      menuBar_(std::move(menuBar)) {
    showsTabs = context.settings->isNotSmartphone;
}

cOptionsFrame::~cOptionsFrame() {
    destroy();
}

bool cOptionsFrame::createFrame(WindowHandle tabPage, const Rect& rect) {
    return createView(tabPage, rect, kOptionsViewId);
}

SystemHooks& cOptionsFrame::hooks() {
    static SystemHooks none;
    return context_.hooks != nullptr ? *context_.hooks : none;
}

MsgResult cOptionsFrame::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    cTabbedForm::OnCreate(wParam, lParam);
    HelpTarget basicHelp{&messageBox_, kOptionsViewId, -1, kOptionsMenuId};
    HelpTarget otherHelp{&messageBox_, kOptionsViewId, kOptionsMenuId, kOptionsMenuId};
    basic.createPage(handle(), basicHelp);
    operatorPage.createPage(handle(), otherHelp);
    search.createPage(handle(), otherHelp);
    lineKinds.createPage(handle());
    update.createPage(handle(), otherHelp);
    dataPage.createPage(handle());
    return 0;
}

cBaseView* cOptionsFrame::pageView(int n) {
    if (n < 0 || n >= pageCount())
        return nullptr;
    switch (n) {
        case 0:
            return &basic;
        case 1:
            return &operatorPage;
        case 2:
            return &update;
        case 3:
            return &dataPage;
        default:
            return (n - kFixedPages) % 2 == 0 ? static_cast<cBaseView*>(&search) : &lineKinds;
    }
}

bool cOptionsFrame::Refresh() {
    return refreshFor(set);
}

bool cOptionsFrame::refreshFor(std::int32_t tabSet) {
    set = tabSet;
    if (showsTabs && tabControl() != platform::kNullWindow) {
        platform::sendMessage(tabControl(), controls::TCM_DELETEALLITEMS, 0, 0);
    }
    formPages.clear();
    pageTitles.clear();
    for (std::uint32_t title : {348u, 349u, 382u, 383u})
        AddPage(nullptr, loadResString(title));
    const std::vector<std::u16string> names =
        set >= 0 ? context_.data->getSetTimetableNames(set) : std::vector<std::u16string>{};
    timetableCount_ = static_cast<int>(names.size());
    for (const std::u16string& name : names) {
        AddPage(nullptr, name + u"-" + loadResString(368));
        AddPage(nullptr, name + u"-" + loadResString(369));
    }
    loadSettings();
    const Rect client = ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
    showPageAndTab(0);
    return true;
}

void cOptionsFrame::loadSettings() {
    const EngineIni ini = context_.ini();
    loaded_ = loadOptionsValues(ini, *context_.settings);
    basic.loadValues(loaded_, false);
    operatorPage.loadValues(loaded_);
    dataPage.loadRows(*context_.data, loaded_.defaultTT);
    update.loadValues(loaded_);
    hooks().installUpdater(loaded_.updaterEnabled);
    if (set >= 0) {
        context_.data->loadSetSearchParams(set);
    } else {
        context_.data->discardSetSearchParams();
    }
    search.dropRecord();
    lineKinds.dropRecord();
}

bool cOptionsFrame::saveSettings() {
    OptionsValues chosen = loaded_;
    basic.storeValues(chosen, false);
    operatorPage.storeValues(chosen);
    update.storeValues(chosen);
    chosen.defaultTT = dataPage.defaultTT();
    return saveOptionsValues(context_.ini(), *context_.settings, loaded_, chosen, hooks());
}

void cOptionsFrame::showPage(int n) {
    cBaseView* shown = pageView(n);
    if (shown == nullptr)
        return;
    for (cBaseView* p : {static_cast<cBaseView*>(&basic), static_cast<cBaseView*>(&operatorPage),
                         static_cast<cBaseView*>(&search), static_cast<cBaseView*>(&lineKinds),
                         static_cast<cBaseView*>(&update), static_cast<cBaseView*>(&dataPage)}) {
        if (p != shown)
            p->ShowView(ui::SW_HIDE);
    }
    if (n >= kFixedPages) {
        auto& records = context_.data->setParams();
        const auto t = static_cast<std::size_t>((n - kFixedPages) / 2);
        // The pages serve every timetable: without tabs only their heading says whose they are.
        const std::u16string title =
            showsTabs ? std::u16string() : pageTitles[static_cast<std::size_t>(n)];
        if (shown == &search) {
            search.storeRecord();
            if (t < records.size())
                search.loadRecord(records[t]);
            search.heading.setTitle(title);
        } else {
            lineKinds.storeRecord();
            if (t < records.size())
                lineKinds.loadRecord(records[t]);
            lineKinds.heading.setTitle(title);
        }
        const Rect area = ui::getClientRect(shown->handle());
        shown->Layout(0, area.width(), area.height());
    }
    shown->ShowView(ui::SW_SHOW);
    // The page's controls were laid out while it was hidden: they paint now.
    ui::invalidateRect(shown->handle());
    for (WindowHandle child : ui::getChildren(shown->handle()))
        ui::invalidateRect(child);
    shown->ResetFocus();
    ui::setFocus(shown->handle());
    currentItem = n;
}

void cOptionsFrame::showPageAndTab(int n) {
    showPage(n);
    if (showsTabs && tabControl() != platform::kNullWindow && pageView(n) != nullptr) {
        platform::sendMessage(tabControl(), controls::TCM_SETCURSEL, static_cast<std::uintptr_t>(n),
                              0);
    }
}

int cOptionsFrame::ResetFocus() {
    currentItem = 0;
    return 0;
}

void cOptionsFrame::Layout(unsigned flags, int width, int height) {
    if ((flags & kLayoutSizeUnchanged) && !(flags & kLayoutInputPanel))
        return;
    cTabbedForm::Layout(flags, width, height);
    const Rect area = pageArea(width, height);
    for (cBaseView* p : {static_cast<cBaseView*>(&basic), static_cast<cBaseView*>(&operatorPage),
                         static_cast<cBaseView*>(&search), static_cast<cBaseView*>(&lineKinds),
                         static_cast<cBaseView*>(&update), static_cast<cBaseView*>(&dataPage)}) {
        ui::moveWindow(p->handle(), area.left, area.top, area.width(), area.height());
        p->Layout(0, area.width(), area.height());
    }
}

void cOptionsFrame::OnViewActivate() {
    const WindowHandle bar = menuBar_ ? menuBar_() : platform::kNullWindow;
    if (bar == platform::kNullWindow)
        return;
    auto* menu = reinterpret_cast<shell::Menu*>(
        platform::sendMessage(bar, shell::SHCMBM_GETSUBMENU, 0, kMenuButton));
    if (menu == nullptr)
        return;
    const shell::MenuPtr parameters = menu->subMenu(4);
    const shell::MenuPtr lines = menu->subMenu(5);
    if (!parameters || !lines)
        return;
    const std::vector<std::u16string> names =
        set >= 0 ? context_.data->getSetTimetableNames(set) : std::vector<std::u16string>{};
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        const auto position = static_cast<std::uint32_t>(i);
        parameters->insert(position, shell::MF_BYPOSITION,
                           kCommandFirstTimetablePage + 2 * position, names[i]);
        lines->insert(position, shell::MF_BYPOSITION, kCommandFirstTimetablePage + 2 * position + 1,
                      names[i]);
    }
    // The placeholder "Všechny" now follows the timetables.
    parameters->remove(static_cast<std::uint32_t>(names.size()), shell::MF_BYPOSITION);
    lines->remove(static_cast<std::uint32_t>(names.size()), shell::MF_BYPOSITION);
}

void cOptionsFrame::OnPageCommand(std::uint32_t id) {
    switch (id) {
        case kCommandBasicPage:
            showPageAndTab(0);
            break;
        case kCommandAdvancedPage:
            showPageAndTab(1);
            break;
        case kCommandUpdateSettingsPage:
            showPageAndTab(2);
            break;
        case kCommandDataPage:
            showPageAndTab(3);
            break;
        default:
            showPageAndTab(static_cast<int>(id) - 33496);
            break;
    }
}

void cOptionsFrame::menuOkClick() {
    const bool restart = saveSettings();
    search.storeRecord();
    lineKinds.storeRecord();
    if (set >= 0)
        context_.data->saveSetSearchParams(set);
    if (!context_.ini().flush()) {
        // The values are in the INI store, which stays unsaved: the user is told, and the dialog
        // shows them again so that "Uložit" can be tried once the folder takes the file. No
        // restart: it would end the program before the values reach the disk.
        shell::messageBox(mainFrameWindow(), settingsNotSavedText(), loadResString(162), 0);
        const int page = currentItem;
        refreshFor(set);
        showPageAndTab(page);
        return;
    }
    tab_.showView(kSearchFormViewId, -1);
    if (restart)
        hooks().restartApplication(loadResString(199), false);
}

void cOptionsFrame::menuCancelClick() {
    context_.data->discardSetSearchParams();
    search.dropRecord();
    lineKinds.dropRecord();
    tab_.showView(kSearchFormViewId, -1);
}

void cOptionsFrame::OnIdOk() {
    if (context_.settings->isWizardFinished)
        menuOkClick();
}

void cOptionsFrame::OnSetFocus() {
    if (cBaseView* p = pageView(currentItem))
        ui::setFocus(p->handle());
}

const ui::MessageMapBase& cOptionsFrame::messageMap() const {
    static const auto map =
        ui::MessageMap<cOptionsFrame>(&cTabbedForm::messageMap())
            .message(ui::WM_CREATE, &cOptionsFrame::OnCreate)
            .message(ui::WM_SETFOCUS, &cOptionsFrame::OnSetFocus)
            .commandRange(kCommandBasicPage, kCommandAdvancedPage, &cOptionsFrame::OnPageCommand)
            .commandRange(kCommandUpdateSettingsPage, kCommandUpdateSettingsPage, &cOptionsFrame::OnPageCommand)
            .commandRange(kCommandDataPage, kCommandDataPage, &cOptionsFrame::OnPageCommand)
            .commandRange(kCommandFirstTimetablePage, kCommandLastTimetablePage,
                          &cOptionsFrame::OnPageCommand)
            .command(kCommandOptionsSave, &cOptionsFrame::menuOkClick)
            .command(shell::IDOK, &cOptionsFrame::OnIdOk)
            .command(kCommandOptionsCancel, &cOptionsFrame::menuCancelClick);
    return map;
}

}  // namespace pelorvant
