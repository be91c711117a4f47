#include "app/screens/other/DataExplorerFrame.h"

#include "app/core/PrivateMessages.h"
#include "app/core/TextConversion.h"
#include "app/screens/other/CountryUpdateItems.h"
#include "app/screens/other/DataFrame.h"
#include "app/screens/other/DataRowDetails.h"
#include "app/screens/progress/TabServices.h"
#include "app/shell/FatalError.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellSettings.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <filesystem>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr int kViewSetChoice = 4025;
constexpr std::uint32_t kTextDeleteQuestion = 407;
constexpr std::uint32_t kTextDeleteButton = 406;

}  // namespace

cDataExplorerFrame::cDataExplorerFrame(ProgramContext& context)
    : cDataPage(context, {{kTextDeleteButton, kDeleteButtonId}}, true), updateRequest_(context) {}

bool cDataExplorerFrame::createExplorerView(platform::WindowHandle tabPage, const Rect& rect) {
    return createView(tabPage, rect, kDataExplorerViewId);
}

bool cDataExplorerFrame::Refresh() {
    list.DeleteAllItems();
    const auto& headers = context_.data->headers();
    for (std::size_t i = 0; i < headers.size(); ++i)
        list.AddItem(static_cast<int>(i), headers[i].title);
    caption.SetText(u"");
    if (!headers.empty()) {
        list.SelectItem(0);
        showDetails(0);
    }
    return true;
}

void cDataExplorerFrame::showDetails(int row) {
    const auto& headers = context_.data->headers();
    if (row < 0 || row >= static_cast<int>(headers.size()))
        return;
    const std::filesystem::path file(toUtf8(headers[static_cast<std::size_t>(row)].fileName));
    caption.SetText(installedFileDetails(shellSettings().fontHeight(), file));
}

void cDataExplorerFrame::DeleteMarked() {
    const int answer =
        platform::shell::messageBox(mainFrameWindow(), loadResString(kTextDeleteQuestion), u"",
                                    platform::shell::MB_YESNO | platform::shell::MB_ICONQUESTION);
    if (answer == platform::shell::IDYES) {
        const auto& headers = context_.data->headers();
        for (int row : list.GetCheckedItems(false)) {
            if (row < 0 || row >= static_cast<int>(headers.size()))
                continue;
            std::error_code ec;
            std::filesystem::remove(
                std::filesystem::path(toUtf8(headers[static_cast<std::size_t>(row)].fileName)), ec);
        }
    }
    context_.data->loadHeaders();
    Refresh();
}

void cDataExplorerFrame::OnViewActivate() {
    context_.data->loadHeaders();
    Refresh();
    fillUpdatePopup();
}

void cDataExplorerFrame::fillUpdatePopup() {
    namespace shell = platform::shell;
    const shell::MenuPtr menu = shell::menuBarMenu(shell::findMenuBar(mainFrameWindow()));
    const shell::MenuPtr more = menu ? menu->subMenu(1) : nullptr;
    const shell::MenuPtr updates = more ? more->subMenu(2) : nullptr;
    if (!updates)
        return;
    const TimetableData& data = *context_.data;
    fillCountryUpdatePopup(
        *updates, countryUpdateItems(context_.settings->language, [&data](std::int16_t id) {
            return data.anyHeaderListsItem(id);
        }));
}

void cDataExplorerFrame::countryCommandClick(std::uint32_t id) {
    if (TabServices* tab = parentTabServices(handle()))
        updateRequest_.start(static_cast<std::int32_t>(id - kCountryCommandFirst),
                             kDataExplorerViewId, *tab, handle(), dataView);
}

MsgResult cDataExplorerFrame::OnUpdateCheckDone(std::uintptr_t fetched, std::intptr_t) {
    if (TabServices* tab = parentTabServices(handle()))
        updateRequest_.done(fetched == 1, *tab);
    return 0;
}

void cDataExplorerFrame::OnItemChanged(const ui::NotifyHeader& header, MsgResult&) {
    const auto& change = reinterpret_cast<const controls::ListNotify&>(header);
    const std::uint32_t wanted = controls::LVIS_SELECTED | controls::LVIS_FOCUSED;
    if ((change.newState & wanted) == wanted)
        showDetails(change.item);
}

void cDataExplorerFrame::menuBackClick() {
    if (TabServices* tab = parentTabServices(handle()))
        tab->showView(kViewSetChoice, -1);
}

const ui::MessageMapBase& cDataExplorerFrame::messageMap() const {
    static const auto map =
        ui::MessageMap<cDataExplorerFrame>(&cDataPage::messageMap())
            .notify(kDataListId, controls::LVN_ITEMCHANGED, &cDataExplorerFrame::OnItemChanged)
            .command(kCommandDeleteMarked, &cDataExplorerFrame::DeleteMarked)
            .command(kDeleteButtonId, &cDataExplorerFrame::DeleteMarked)
            .command(kCommandBack, &cDataExplorerFrame::menuBackClick)
            .commandRange(kCountryCommandFirst, kCountryCommandLast,
                          &cDataExplorerFrame::countryCommandClick)
            .message(WM_UPDATECHECK_DONE, &cDataExplorerFrame::OnUpdateCheckDone)
            .command(platform::shell::IDOK, &cDataExplorerFrame::menuBackClick);
    return map;
}

}  // namespace pelorvant
