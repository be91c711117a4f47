#include "app/screens/search/VyberRaduView.h"

#include "app/core/FileUtils.h"
#include "app/core/PrivateMessages.h"
#include "app/core/StartedForUpdate.h"
#include "app/screens/progress/ProgressFormView.h"
#include "app/screens/progress/TabServices.h"
#include "app/shell/FatalError.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellException.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <ctime>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr int kViewProgress = 4029;
constexpr int kViewSearchForm = 4028;
constexpr int kViewDataExplorer = 4041;
constexpr std::uint32_t kTextChooseTimetables = 152;
constexpr std::uint32_t kTextWarning = 344;
constexpr std::uint32_t kTextNoTimetable = 12322;
// The logo's height is its width × 100 / 337.
constexpr double kLogoProportion = 0.2967359;

}  // namespace

cVyberRaduView::cVyberRaduView(ProgramContext& context) : cBaseView(true, true, true), context_(context) {
    label.anchor = LayoutAnchor({5, 35, 95, 43}, {5, 5, 70, 18});
    list.anchor = LayoutAnchor({5, 43, 95, 97}, {5, 22, 97, 97});
}

bool cVyberRaduView::createChoiceView(platform::WindowHandle tabPage, const Rect& rect) {
    if (!createView(tabPage, rect, kSetChoiceViewId)) return false;
    ui::setWindowText(handle(), u"VyberRadu");
    return true;
}

MsgResult cVyberRaduView::OnCreate(std::uintptr_t, std::intptr_t) {
    const Rect small{0, 0, 10, 10};
    try {
        auto picture = std::make_unique<cPictureBox>(u"logo");
        if (picture->createBox(handle(), small, 0)) logo = std::move(picture);
    } catch (const ShellException&) {
        // Without its picture the view still works: the label and list keep their places.
        logo.reset();
    }
    label.createStatic(handle(), loadResString(kTextChooseTimetables), small, 0);
    list.createReport(handle(), small, kSetChoiceListId, ui::WS_BORDER | controls::LVS_NOCOLUMNHEADER);
    const std::uint32_t ext = controls::LVS_EX_CHECKBOXES | controls::LVS_EX_FULLROWSELECT;
    platform::sendMessage(list.handle(), controls::LVM_SETEXTENDEDLISTVIEWSTYLE, ext, ext);
    controls::ListColumn column;
    column.text = u"rad";
    platform::sendMessage(list.handle(), controls::LVM_INSERTCOLUMN, 0, reinterpret_cast<std::intptr_t>(&column));
    const Rect client = ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
    return 0;
}

void cVyberRaduView::Layout(unsigned flags, int width, int height) {
    if (flags & kLayoutSizeUnchanged) return;
    const ShellSettings& settings = shellSettings();
    const bool portrait = settings.orientation() == kOrientationPortrait;
    if (logo) {
        const Rect r = logoAnchor.place(0, 0, width, height);
        ui::moveWindow(logo->handle(), r.left, r.top, r.width(), static_cast<int>(r.width() * kLogoProportion));
        ui::showWindow(logo->handle(), portrait ? ui::SW_SHOW : ui::SW_HIDE);
    }
    const Rect l = label.anchor.place(0, 0, width, height);
    ui::moveWindow(label.handle(), l.left, l.top, l.width(), l.height());
    const Rect r = list.anchor.place(0, 0, width, height);
    ui::moveWindow(list.handle(), r.left, r.top, r.width(), r.height());
    const auto font = reinterpret_cast<std::uintptr_t>(&settings.mainFont());
    platform::sendMessage(label.handle(), controls::WM_SETFONT, font, 1);
    platform::sendMessage(list.handle(), controls::WM_SETFONT, font, 1);
    platform::sendMessage(list.handle(), controls::LVM_SETCOLUMNWIDTH, 0, static_cast<std::intptr_t>(width * 1.5));
    ui::invalidateRect(handle());
}

bool cVyberRaduView::isChecked(int row) const {
    const auto state = platform::sendMessage(list.handle(), controls::LVM_GETITEMSTATE,
                                             static_cast<std::uintptr_t>(row), controls::LVIS_STATEIMAGEMASK);
    return static_cast<std::uint32_t>(state) == controls::kStateChecked;
}

void cVyberRaduView::setChecked(int row, bool checked) {
    controls::ListItem item;
    item.state = checked ? controls::kStateChecked : controls::kStateUnchecked;
    item.stateMask = controls::LVIS_STATEIMAGEMASK;
    platform::sendMessage(list.handle(), controls::LVM_SETITEMSTATE, static_cast<std::uintptr_t>(row),
                          reinterpret_cast<std::intptr_t>(&item));
}

int cVyberRaduView::CheckByNames(std::u16string_view names, bool checkAll) {
    const std::vector<std::u16string> parts = splitString(names, u"$");
    const int rows = static_cast<int>(list.rowTexts.size());
    for (int row = 0; row < rows; ++row) setChecked(row, false);
    int first = -1;
    for (const std::u16string& name : parts) {
        const int row = context_.data->findHeaderByName(name);
        if (row < 0 || row >= rows) continue;  // a timetable that is no longer installed
        if (parts.size() > 1 || checkAll) setChecked(row, true);
        if (first < 0) first = row;
    }
    return first;
}

void cVyberRaduView::ReloadSets() {
    context_.data->loadHeaders();
    list.DeleteAllItems();
    const auto& headers = context_.data->headers();
    for (std::size_t i = 0; i < headers.size(); ++i) {
        list.AddItem(static_cast<int>(i), headers[i].title);
    }
    const std::u16string stored = context_.ini().readString(kSetupSection, kChosenSetKey, u"-1");
    const int row = CheckByNames(stored, false);
    if (!headers.empty()) list.SelectItem(row < 0 ? 0 : row);
}

void cVyberRaduView::LoadDefaultSet() {
    if (startedForUpdate()) return;
    const std::u16string& defaultSet = context_.settings->defaultTT;
    if (defaultSet != u"-" && !defaultSet.empty() && CheckByNames(defaultSet, true) >= 0) {
        menuOkClick();
        return;
    }
    if (list.rowTexts.size() == 1) {
        setChecked(0, true);
        menuOkClick();
    }
}

void cVyberRaduView::menuOkClick() {
    TabServices* tab = parentTabServices(handle());
    if (tab == nullptr) return;
    auto job = std::make_unique<cLoadJob>();
    for (int row : list.GetCheckedItems(false))
        job->indexes.push_back(row);
    if (job->indexes.empty()) {
        // Nothing to load (no timetable is installed, or none could be read): the data
        // management is where one can be had.
        const int answer = platform::shell::messageBox(
            mainFrameWindow(), loadResString(kTextNoTimetable), loadResString(kTextWarning),
            platform::shell::MB_YESNO | platform::shell::MB_ICONQUESTION);
        if (answer == platform::shell::IDYES)
            menuDataClick();
        return;
    }
    tab->showView(kViewProgress, -1);
    job->setIndex = tab->setIndex();

    const auto& headers = context_.data->headers();
    std::u16string names;
    for (std::int32_t index : job->indexes) {
        if (index < 0 || index >= static_cast<std::int32_t>(headers.size())) continue;
        if (!names.empty()) names += u"$";
        names += headers[static_cast<std::size_t>(index)].title;
    }
    context_.ini().writeString(kSetupSection, kChosenSetKey, names);

    // The engine must answer before a load starts.
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    std::int16_t day = 0;
    const std::int32_t status =
        context_.api->api_DatumToShortDen(today.tm_mday, today.tm_mon + 1, today.tm_year + 1900, &day);
    if (status != ENGINE_OK) {
        platform::shell::messageBox(mainFrameWindow(), loadResString(status == ENGINE_OUT_OF_MEMORY ? 280 : 279),
                                    loadResString(162), platform::shell::MB_OK | platform::shell::MB_ICONERROR);
        terminateProgram();
        return;
    }
    tab->progressView().startLoading(std::move(job));
}

void cVyberRaduView::menuDataClick() {
    TabServices* tab = parentTabServices(handle());
    if (tab == nullptr)
        return;
    if (dataExplorer != nullptr)
        dataExplorer->ActivateView(kSetChoiceViewId, tab->shownMenu());
    tab->showView(kViewDataExplorer, -1);
}

void cVyberRaduView::menuExitClick() { terminateProgram(); }

void cVyberRaduView::menuCancelClick() {
    // Back to the search form only when the tab has a set to search in.
    if (TabServices* tab = parentTabServices(handle()); tab != nullptr && tab->setIndex() >= 0)
        tab->showView(kViewSearchForm, -1);
}

void cVyberRaduView::OnViewActivate() { ReloadSets(); }

void cVyberRaduView::OnSetFocus() { ui::setFocus(list.handle()); }

MsgResult cVyberRaduView::OnListBoxReturn(std::uintptr_t, std::intptr_t) {
    menuOkClick();
    return 0;
}

void cVyberRaduView::OnListReturn(const platform::ui::NotifyHeader&, MsgResult&) { menuOkClick(); }

const platform::ui::MessageMapBase& cVyberRaduView::messageMap() const {
    static const auto map = platform::ui::MessageMap<cVyberRaduView>(&cBaseView::messageMap())
                                .message(ui::WM_CREATE, &cVyberRaduView::OnCreate)
                                .message(ui::WM_SETFOCUS, &cVyberRaduView::OnSetFocus)
                                .message(WM_LISTBOX_RETURN, &cVyberRaduView::OnListBoxReturn)
                                .notify(kSetChoiceListId, controls::NM_RETURN, &cVyberRaduView::OnListReturn)
                                .command(kCommandSetChoiceOk, &cVyberRaduView::menuOkClick)
                                .command(platform::shell::IDOK, &cVyberRaduView::menuOkClick)
                                .command(kCommandDataManagement, &cVyberRaduView::menuDataClick)
                                .command(kCommandExit, &cVyberRaduView::menuExitClick)
                                .command(kCommandSetChoiceCancel, &cVyberRaduView::menuCancelClick);
    return map;
}

}  // namespace pelorvant
