#include "app/screens/data/DataExplorerFrame.h"

#include "app/core/PrivateMessages.h"
#include "app/screens/data/CountryUpdateItems.h"
#include "app/screens/data/DataFrame.h"
#include "app/screens/progress/TabServices.h"
#include "app/shell/FatalError.h"
#include "app/shell/LayoutFlags.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

namespace {

constexpr int kViewSetChoice = 4025;

}  // namespace

cDataExplorerFrame::cDataExplorerFrame(ProgramContext& context)
    : cDataFileList(context), updateRequest_(context) {}

bool cDataExplorerFrame::createExplorerView(platform::WindowHandle tabPage, const Rect& rect) {
    return createView(tabPage, rect, kDataExplorerViewId);
}

void cDataExplorerFrame::ActivateView(int returnView, int returnMenu) {
    returnView_ = returnView;
    returnMenu_ = returnMenu;
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

void cDataExplorerFrame::menuBackClick() {
    TabServices* tab = parentTabServices(handle());
    if (tab == nullptr)
        return;
    // A set choice opened from a loaded set offers "Storno" back to it; once the set is gone
    // (a deleted file was part of it) the choice comes with its own menu.
    const int menu = returnView_ == kViewSetChoice && tab->setIndex() < 0 ? -1 : returnMenu_;
    tab->showView(returnView_, menu);
}

const ui::MessageMapBase& cDataExplorerFrame::messageMap() const {
    static const auto map =
        ui::MessageMap<cDataExplorerFrame>(&cDataFileList::messageMap())
            // Before the country commands, whose range spans these ids.
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
