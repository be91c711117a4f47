#include "app/program/tabs/TabPage.h"

#include "app/core/PrivateMessages.h"
#include "app/program/tabs/TabFrame.h"
#include "app/program/tabs/TabHost.h"
#include "app/screens/navigation/NavigateToStop.h"
#include "app/shell/FatalError.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellWindowClass.h"
#include "app/shell/ViewTable.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

cTabPage::cTabPage(ProgramContext& context, cTabFrame& frame, cTabHost& host, int index)
    : results(context, messageBox, listing),
      setChoice(context),
      searchForm(context, messageBox, textBoxPPC),
      progress(context),
      listing(context),
      textBoxPPC(context),
      dataView(context),
      dataExplorer(context),
      stopTimetable(context),
      stopTimetableLinks(context, stopTimetable),
      gpsNavigation(context),
      gpsLink(context),
      pageIndex(index), context_(context), frame_(frame), host_(host) {
    activeView = &setChoice;
}

cTabPage::~cTabPage() {
    // The views' windows go with the page's; the views themselves are members.
    wizardFrame.reset();
    optionsFrame.reset();
    destroy();
}

bool cTabPage::createPage(platform::WindowHandle host, const Rect& rect) {
    return create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, rect, host, kTabHostId));
}

cBaseView* cTabPage::viewOf(int viewId) const {
    const auto it = viewById.find(viewId);
    return it == viewById.end() ? nullptr : it->second;
}

MsgResult cTabPage::OnCreate(std::uintptr_t, std::intptr_t lParam) {
    const auto* params = reinterpret_cast<const ui::CreateParams*>(lParam);
    const Rect client{0, 0, params->rect.width(), params->rect.height()};
    results.createResultsView(handle(), client);
    results.queryTime = [this] { return searchForm.searchPage().queryTime(); };
    messageBox.createMessageView(handle(), client);
    setChoice.createChoiceView(handle(), client);
    searchForm.createForm(handle(), client);
    progress.createProgressView(handle(), client);
    listing.createListingView(handle(), client);
    textBoxPPC.createEntryView(handle(), client);
    dataView.createDataView(handle(), client);
    dataExplorer.createExplorerView(handle(), client);
    dataExplorer.dataView = &dataView;
    setChoice.dataExplorer = &dataExplorer;
    searchForm.dataView = &dataView;
    stopTimetable.createFrame(handle(), client, kViewStopTimetable);
    stopTimetable.links = &stopTimetableLinks;
    searchForm.stopTimetablePage().showResult = [this](const StopTimetableAnswer& answer,
                                                       const StopTimetableQuery& query) {
        stopTimetable.buildStopTimetableText(answer.result.get(), query, answer.groupCount, answer.routeStopCount);
        showView(kViewStopTimetable, -1);
    };
    gpsNavigation.createNavigationView(handle(), client, kViewGpsNavigation);
    gpsNavigation.receiver = &gpsLink;
    stopTimetableLinks.showQueryChoices = [this](const StopTimetableAnswer& answer, const StopTimetableQuery& query) {
        searchForm.showStopTimetablePage();
        searchForm.stopTimetablePage().offerChoices(answer, query);
    };
    stopTimetableLinks.openListingView = [this](const cUsekSpojeni& leg, int returnView) {
        if (!listing.FillListing(leg, returnView)) return false;
        showView(kViewListing, -1);
        return true;
    };
    const std::pair<int, cBaseView*> views[] = {
        {kViewResults, &results},        {kViewMessageBox, &messageBox},   {kViewSetChoice, &setChoice},
        {kViewSearchForm, &searchForm},  {kViewProgress, &progress},       {kViewListing, &listing},
        {kViewTextBoxPPC, &textBoxPPC},  {kViewData, &dataView},           {kViewDataExplorer, &dataExplorer},
        {kViewStopTimetable, &stopTimetable}, {kViewGpsNavigation, &gpsNavigation},
    };
    const bool touch = context_.settings->isNotSmartphone;
    for (const auto& [id, view] : views) {
        if (const auto row = findViewRow(id)) {
            viewById[id] = view;
            menuById[id] = viewMenu(*row, touch);
            ui::setWindowText(view->handle(), row->windowName);
        }
    }
    currentViewId = kViewSetChoice;
    activeView = &setChoice;
    return 0;
}

namespace {

constexpr std::uint32_t kCommandOptions = 32786;
constexpr std::uint32_t kCommandUpdateOptions = 32810;

}  // namespace

cOptionsFrame& cTabPage::getOptionsFrame() {
    if (!optionsFrame) {
        optionsFrame = std::make_unique<cOptionsFrame>(context_, *this, messageBox,
                                                       [this] { return frame_.menuBar(); });
        optionsFrame->createFrame(handle(), ui::getClientRect(handle()));
        ui::setWindowText(optionsFrame->handle(), u"OptionsFrame");
        viewById[kViewOptions] = optionsFrame.get();
        menuById[kViewOptions] = kOptionsMenu;
    }
    return *optionsFrame;
}

void cTabPage::openOptions(bool updatePage) {
    cOptionsFrame& options = getOptionsFrame();
    options.refreshFor(setIndex_);
    showView(kViewOptions, kOptionsMenu);
    if (updatePage) options.ShowUpdateSettings();
}

void cTabPage::createWizard() {
    if (!wizardFrame) {
        wizardFrame = std::make_unique<cWizardFrame>(context_, messageBox, [] {
            platform::sendMessage(mainFrameWindow(), WM_APP_TERMINATE, 0, 0);
        });
        wizardFrame->createFrame(handle(), ui::getClientRect(handle()));
        ui::setWindowText(wizardFrame->handle(), u"WizardFrame");
        viewById[kViewWizard] = wizardFrame.get();
        menuById[kViewWizard] = kWizardMenu;
    }
    wizardFrame->Refresh();
    showView(kViewWizard, kWizardMenu);
}

void cTabPage::switchTo(int viewId, int menuId) {
    int defaultMenu = kMainMenu;
    if (viewId == kChoicePopupMenuView) {
        createMenuBarForView(kChoicePopupMenu);
        return;
    }
    cBaseView* view = viewOf(viewId);
    if (view == nullptr) return;  // the options frame and the wizard come with their screens
    defaultMenu = menuById[viewId];
    activeView = view;
    const int menu = menuId < 0 ? defaultMenu : menuId;
    createMenuBarForView(menu);
    if (menu == kChoicePopupMenu) return;
    frame_.applyViewFlags(view->doneButton, view->showStrip);
    view->OnViewActivate();
}

void cTabPage::showView(int viewId, int menuId) {
    if (viewOf(viewId) == nullptr) return;
    cBaseView* old = activeView;
    currentViewId = viewId;
    switchTo(viewId, menuId);
    if (old != nullptr) old->ShowView(ui::SW_HIDE);
    activeView->ShowView(ui::SW_SHOW);
    ui::setFocus(activeView->handle());
}

void cTabPage::createMenuBarForView(int menuId) {
    if (activeView != nullptr) activeView->ShowView(ui::SW_HIDE);
    currentMenu = menuId;
    frame_.setMenuBar(menuId);
    if (activeView != nullptr) activeView->ShowView(ui::SW_SHOW);
}

void cTabPage::Layout(unsigned flags, int width, int height) {
    cBaseView* order[] = {&searchForm, &textBoxPPC, &setChoice, &progress,      &results,      &messageBox,
                          &listing,    &dataView,   &dataExplorer, &stopTimetable, &gpsNavigation};
    if (!(flags & kLayoutSizeUnchanged)) {
        for (cBaseView* view : order) ui::moveWindow(view->handle(), 0, 0, width, height);
    }
    for (cBaseView* view : order) view->Layout(flags, width, height);
    for (cBaseView* form : {static_cast<cBaseView*>(optionsFrame.get()), static_cast<cBaseView*>(wizardFrame.get())}) {
        if (form == nullptr) continue;
        if (!(flags & kLayoutSizeUnchanged)) ui::moveWindow(form->handle(), 0, 0, width, height);
        form->Layout(flags, width, height);
    }
}

void cTabPage::setTabTitle(std::u16string_view title) {
    if (host_.activePage() == this) host_.SetActiveTabTitle(title);
}

void cTabPage::setDropped() {
    setIndex_ = -1;
    if (host_.activePage() == this)
        return;
    if (activeView != nullptr)
        activeView->ShowView(ui::SW_HIDE);
    activeView = &setChoice;
    currentViewId = kViewSetChoice;
    currentMenu = menuById[kViewSetChoice];
}

void cTabPage::setLoaded(std::int32_t) {
    searchForm.RefreshCategoryFilter();
    searchForm.ResetSearchPage();
}

void cTabPage::showResults(std::int32_t resultId) { results.ShowResults(resultId); }

void cTabPage::OnSetFocus() {
    if (activeView != nullptr) ui::setFocus(activeView->handle());
}

void cTabPage::navigateToSelectedStop() {
    if (activeView != &results) return;
    std::int32_t timetable = -1;
    const std::uint16_t stop = results.list.GetSelectedStop(timetable);
    navigateToStop(context_, gpsNavigation, setIndex_, stop, timetable);
}

bool cTabPage::routeCommand(std::uint32_t id, std::uint32_t code) {
    // The search form's menu opens the options dialog.
    if (currentViewId == kViewSearchForm && code == 0 && (id == kCommandOptions || id == kCommandUpdateOptions)) {
        openOptions(id == kCommandUpdateOptions);
        return true;
    }
    if (activeView != nullptr && activeView->routeCommand(id, code)) return true;
    return handleOwnCommand(id, code);
}

const platform::ui::MessageMapBase& cTabPage::messageMap() const {
    static const auto map = platform::ui::MessageMap<cTabPage>()
                                .message(ui::WM_CREATE, &cTabPage::OnCreate)
                                .message(ui::WM_SETFOCUS, &cTabPage::OnSetFocus)
                                .command(kCommandNavigate, &cTabPage::navigateToSelectedStop);
    return map;
}

}  // namespace pelorvant
