#include "app/screens/data/DataFrame.h"

#include "app/core/CountryTables.h"
#include "app/core/DateTexts.h"
#include "app/core/PrivateMessages.h"
#include "app/core/UpdateCheckJob.h"
#include "app/screens/data/DataRowDetails.h"
#include "app/screens/progress/ProgressFormView.h"
#include "app/screens/progress/TabServices.h"
#include "app/shell/FatalError.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellSettings.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/controls/TabControl.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr int kViewProgress = 4029;
constexpr std::uint32_t kTextNothingNew = 288;
constexpr std::uint32_t kTextAllCurrent = 292;
constexpr std::uint32_t kTextNewProgram = 435;
constexpr std::uint32_t kTextNewProgramWhere = 436;
constexpr std::uint32_t kTextUpdateButton = 293;
constexpr std::uint32_t kTextDownloadButton = 291;
constexpr std::uint32_t kTextUpdateTab = 294;
constexpr std::uint32_t kTextDownloadTab = 295;

void showBox(std::u16string_view text) {
    platform::shell::messageBox(mainFrameWindow(), text, u"",
                                platform::shell::MB_OK | platform::shell::MB_ICONINFORMATION);
}

}  // namespace

cDataFrame::cDataFrame(ProgramContext& context)
    : cDataPage(context,
                {{kTextUpdateButton, kUpdateButtonId}, {kTextDownloadButton, kDownloadButtonId}},
                false, {kTextUpdateTab, kTextDownloadTab}) {}

bool cDataFrame::createDataView(platform::WindowHandle tabPage, const Rect& rect) {
    return createView(tabPage, rect, kDataViewId);
}

void cDataFrame::ActivateView(std::int32_t language, int returnView) {
    returnView_ = returnView;
    TabServices* tab = parentTabServices(handle());
    if (tab == nullptr)
        return;
    tab->showView(kViewProgress, -1);
    tab->progressView().startUpdateCheck(language, false, handle());
}

MsgResult cDataFrame::OnUpdateCheckDone(std::uintptr_t fetched, std::intptr_t) {
    TabServices* tab = parentTabServices(handle());
    if (fetched != 1) {
        // The network is blamed only when it failed; a cancel says nothing.
        if (tab && !tab->progressView().updateCheckFailure().empty())
            showBox(tab->progressView().updateCheckFailure());
        if (tab)
            tab->showView(returnView_, -1);
        return 0;
    }
    readOffers();
    const std::u16string version =
        getNewAppVersion(context_.settings->dataFolder / kProgramVersionFileName,
                         context_.settings->checkAppAct, context_.settings->buildNumber);
    if (!version.empty()) {
        showBox(loadResString(kTextNewProgram) + version + loadResString(kTextNewProgramWhere) +
                std::u16string(updatePageAddress(context_.settings->language)));
    }
    showPage(0);
    if (tab)
        tab->showView(kDataViewId, pageMenu());
    return 0;
}

void cDataFrame::readOffers() {
    const auto file = context_.settings->dataFolder / kUpdateInfoFileName;
    const EngineApi& api = *context_.api;
    const DayTextFunction dayText = [&api](std::int16_t day) {
        return dayNumberToDayMonthText(api, day);
    };
    updates.Refresh(file, context_.data->headers(), dayText);
    newFiles.buildList(file, context_.data->headers(), dayText);
}

void cDataFrame::showPage(int which) {
    page = which == 1 ? 1 : 0;
    showButton(page);
    selectTab(page);
    fillList();
}

int cDataFrame::pageMenu() const {
    if (!isKeypad())
        return -1;
    return page == 0 ? kDataUpdateMenu : kDataDownloadMenu;
}

void cDataFrame::switchPage(int which) {
    showPage(which);
    if (!isKeypad())
        return;
    switchingMenu_ = true;
    if (TabServices* tab = parentTabServices(handle()))
        tab->showView(kDataViewId, pageMenu());
    switchingMenu_ = false;
}

void cDataFrame::OnViewActivate() {
    if (!switchingMenu_ && page != 0)
        showPage(0);
}

void cDataFrame::OnTabChange(const ui::NotifyHeader&, MsgResult& result) {
    switchPage(static_cast<int>(platform::sendMessage(tabControl, controls::TCM_GETCURSEL, 0, 0)));
    result = 0;
}

void cDataFrame::fillList() {
    list.DeleteAllItems();
    setCaption(u"");
    if (page == 0)
        updates.fill(list, context_.data->headers());
    else
        newFiles.fill(list);
    if (shown().rows.empty()) {
        setCaption(loadResString(page == 0 ? kTextAllCurrent : kTextNothingNew));
        return;
    }
    list.SelectItem(0);
}

std::vector<ChosenFile> cDataFrame::chosenFiles() const {
    std::vector<ChosenFile> files;
    const auto& rows = shown().rows;
    for (int row : list.GetCheckedItems(false)) {
        if (row >= 0 && row < static_cast<int>(rows.size())) {
            const OfferedTimetable& offered = rows[static_cast<std::size_t>(row)];
            files.push_back({offered.name, offered.sha256});
        }
    }
    return files;
}

void cDataFrame::download(std::vector<ChosenFile> files) {
    TabServices* tab = parentTabServices(handle());
    if (tab == nullptr)
        return;
    tab->showView(kViewProgress, -1);
    tab->progressView().startDownload(std::move(files), shown().dir, kDataViewId);
}

void cDataFrame::startUpdate() {
    if (page != 0)
        switchPage(0);
    auto files = chosenFiles();
    if (files.empty()) {
        showBox(loadResString(kTextAllCurrent));
        return;
    }
    download(std::move(files));
}

void cDataFrame::startDownload() {
    if (page != 1)
        switchPage(1);
    auto files = chosenFiles();
    if (!files.empty())
        download(std::move(files));
}

void cDataFrame::menuBackClick() {
    if (TabServices* tab = parentTabServices(handle()))
        tab->showView(returnView_, -1);
}

void cDataFrame::OnItemChanged(const ui::NotifyHeader& header, MsgResult&) {
    const auto& change = reinterpret_cast<const controls::ListNotify&>(header);
    const std::uint32_t wanted = controls::LVIS_SELECTED | controls::LVIS_FOCUSED;
    const auto& rows = shown().rows;
    if ((change.newState & wanted) != wanted || change.item < 0 ||
        change.item >= static_cast<int>(rows.size()))
        return;
    const OfferedTimetable& row = rows[static_cast<std::size_t>(change.item)];
    const std::u16string text = change.item < static_cast<int>(list.rowTexts.size())
                                    ? list.rowTexts[static_cast<std::size_t>(change.item)]
                                    : row.description;
    setCaption(
        offeredRowDetails(shellSettings().fontHeight(), text, row.versionText, row.sizeText));
}

const ui::MessageMapBase& cDataFrame::messageMap() const {
    static const auto map =
        ui::MessageMap<cDataFrame>(&cDataPage::messageMap())
            .message(WM_UPDATECHECK_DONE, &cDataFrame::OnUpdateCheckDone)
            .notify(kDataListId, controls::LVN_ITEMCHANGED, &cDataFrame::OnItemChanged)
            .command(kCommandUpdatePage, &cDataFrame::menuUpdatePageClick)
            .command(kCommandDownloadPage, &cDataFrame::menuDownloadPageClick)
            .command(kCommandStartUpdate, &cDataFrame::startUpdate)
            .command(kCommandStartDownload, &cDataFrame::startDownload)
            .command(kUpdateButtonId, &cDataFrame::startUpdate)
            .command(kDownloadButtonId, &cDataFrame::startDownload)
            .notify(kDataTabControlId, controls::TCN_SELCHANGE, &cDataFrame::OnTabChange)
            .command(kCommandBack, &cDataFrame::menuBackClick)
            .command(platform::shell::IDOK, &cDataFrame::menuBackClick);
    return map;
}

}  // namespace pelorvant
