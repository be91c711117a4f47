#include "app/screens/stoptimetables/ZJRShowFrame.h"

#include "app/core/EngineTexts.h"
#include "app/core/LabelPlainText.h"
#include "app/screens/stoptimetables/StopTimetableTexts.h"
#include "app/screens/progress/TabServices.h"
#include "app/shell/FatalError.h"
#include "app/shell/LayoutFlags.h"

#include "platform/controls/TabControl.h"
#include "platform/core/LocalTime.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <string>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::resources::loadResString;

namespace {

constexpr int kViewSearchForm = 4028;
constexpr int kViewStopTimetable = 4042;
constexpr std::uint8_t kWholeTrip = 255;

std::u16string numberText(int n) {
    const std::string s = std::to_string(n);
    return {s.begin(), s.end()};
}

}  // namespace

cZJRShowFrame::cZJRShowFrame(ProgramContext& context)
    : cTabbedForm(false, true, true), context_(context) {}

bool cZJRShowFrame::createFrame(WindowHandle tabPage, const Rect& rect, std::uintptr_t id) {
    showsTabs = context_.settings->isNotSmartphone;
    return createView(tabPage, rect, id);
}

MsgResult cZJRShowFrame::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    return cTabbedForm::OnCreate(wParam, lParam);
}

void cZJRShowFrame::removePages() {
    if (tabControl() != platform::kNullWindow) {
        platform::sendMessage(tabControl(), controls::TCM_DELETEALLITEMS, 0, 0);
    }
    // A page may be the one whose handler asked for this build (a route stop chosen): the pages
    // are hidden now and destroyed at the next build, never under their own handler.
    retired_.clear();
    for (auto& page : formPages) {
        if (page) page->ShowView(ui::SW_HIDE);
        retired_.push_back(std::move(page));
    }
    formPages.clear();
    pageTitles.clear();
    currentItem = 0;
}

void cZJRShowFrame::buildStopTimetableText(const cStVysledek* result, const StopTimetableQuery& query,
                                           std::int32_t groupCount, std::int32_t routeStopCount) {
    query_ = query;
    copy_ = copyStopTimetable(*context_.api, result, groupCount, routeStopCount);
    removePages();
    addRoutePage();
    addGridPages();
    addNotesPage();
    const Rect client = ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
    if (tabControl() != platform::kNullWindow) platform::sendMessage(tabControl(), controls::TCM_SETCURSEL, 0, 0);
    showPage(0);
}

void cZJRShowFrame::addRoutePage() {
    auto page = std::make_unique<cRouteStopsPage>();
    if (!page->createPage(handle())) return;
    const EngineTexts texts(*context_.api);
    std::vector<RouteStopRow> rows;
    for (const StRouteStop& stop : copy_.routeStops) {
        rows.push_back({stop.minutes == -1 ? std::u16string() : numberText(stop.minutes),
                        texts.getZastavkaSPoznamkami(query_.set, query_.fileIndex, static_cast<std::uint16_t>(stop.stop))});
    }
    page->setRows(std::move(rows), copy_.fromRow(), context_.settings->fontHeight);
    page->onChoose = [this](int row) { chooseRouteStop(row); };
    AddPage(std::move(page), loadResString(404));
}

void cZJRShowFrame::addGridPages() {
    GridFonts fonts;
    fonts.main = context_.settings->mainFont.get();
    fonts.small = context_.settings->smallFont.get();
    fonts.height = context_.settings->fontHeight;
    fonts.smallHeight = context_.settings->smallFontHeight();
    const int hour = platform::getLocalTime().hour;
    for (const StDayGroup& group : copy_.groups) {
        auto page = std::make_unique<cStopTimetableGridPage>();
        if (!page->createPage(handle())) continue;
        std::u16string title = replaceDayPlaceholders(group.validity);
        // Without tabs nothing else says which days the grid shows.
        if (!showsTabs)
            page->heading.setTitle(title);
        page->grid.setData(&group, fonts, hour);
        page->grid.onOpen = [this](const StDeparture& d) { openDeparture(d); };
        AddPage(std::move(page), std::move(title));
    }
}

void cZJRShowFrame::addNotesPage() {
    notesMarkup_.clear();
    if (copy_.notes.empty()) return;
    std::u16string markup;
    for (std::size_t j = 0; j < copy_.notes.size(); ++j) {
        markup += u"<*b*>" + noteLetter(static_cast<std::int32_t>(j)) + u"<*b*> - " +
                  plainLabelText(trimNoteText(copy_.notes[j])) + u"\r";
    }
    notesMarkup_ = replaceRoutePlaceholders(markup);
    auto page = std::make_unique<cStopTimetableTextPage>();
    if (!page->createPage(handle())) return;
    page->setMarkup(notesMarkup_);
    AddPage(std::move(page), loadResString(405));
}

void cZJRShowFrame::openDeparture(const StDeparture& departure) {
    if (links == nullptr) return;
    cUsekSpojeni leg{};
    leg.trip = static_cast<std::uint32_t>(departure.trip);
    leg.boardPosition = kWholeTrip;
    leg.alightPosition = kWholeTrip;
    leg.timetable = static_cast<std::uint8_t>(query_.fileIndex);
    links->openListing(leg, kViewStopTimetable);
}

void cZJRShowFrame::chooseRouteStop(int row) {
    const int count = static_cast<int>(copy_.routeStops.size());
    if (links == nullptr || row < 0 || row >= count || row == copy_.fromRow()) return;
    StopTimetableQuery again = query_;
    if (row < count - 1) {
        const StRouteStop& from = copy_.routeStops[static_cast<std::size_t>(row)];
        const StRouteStop& last = copy_.routeStops.back();
        again.from = from.stop;
        again.fromOccurrence = from.occurrence;
        again.to = last.stop;
        again.toOccurrence = last.occurrence;
    } else if (query_.to < 0) {
        // A search without a direction has none to start from: the traveller asked for the
        // timetable from the route's last stop, whose direction the engine finds (or asks for).
        const StRouteStop& last = copy_.routeStops.back();
        again.from = last.stop;
        again.fromOccurrence = std::max(0, last.occurrence);
        again.to = -1;
        again.toOccurrence = -1;
    } else {
        // The last row turns the timetable round: the direction becomes the stop to start from.
        again.from = query_.to;
        again.fromOccurrence = query_.toOccurrence;
        again.to = query_.from;
        again.toOccurrence = query_.fromOccurrence;
    }
    links->searchAgain(again);
}

void cZJRShowFrame::menuBack() {
    if (TabServices* tab = parentTabServices(handle())) tab->showView(kViewSearchForm, -1);
}

void cZJRShowFrame::menuPage(std::uint32_t id) {
    const int n = static_cast<int>(id - kCommandFirstPage);
    if (page(n) == nullptr) return;
    if (tabControl() != platform::kNullWindow) platform::sendMessage(tabControl(), controls::TCM_SETCURSEL, n, 0);
    showPage(n);
}

platform::shell::MenuPtr cZJRShowFrame::pagesPopup(WindowHandle& bar) const {
    bar = platform::shell::findMenuBar(mainFrameWindow());
    if (bar == platform::kNullWindow)
        return {};
    const platform::shell::MenuPtr menu = platform::shell::menuBarMenu(bar);
    if (!menu)
        return {};
    for (int i = 0; i < menu->count(); ++i) {
        if (platform::shell::MenuPtr popup = menu->subMenu(i))
            return popup;
    }
    return {};
}

void cZJRShowFrame::listPagesInMenu() {
    WindowHandle bar = platform::kNullWindow;
    const platform::shell::MenuPtr popup = pagesPopup(bar);
    if (!popup)
        return;
    while (popup->count() > 0)
        popup->remove(0, platform::shell::MF_BYPOSITION);
    for (int n = 0; n < pageCount(); ++n) {
        // The page in view carries the check mark: on a keypad nothing else tells which it is.
        const unsigned checked = n == currentItem ? platform::shell::MF_CHECKED : 0u;
        popup->append(platform::shell::MF_STRING | checked,
                      kCommandFirstPage + static_cast<std::uint32_t>(n), pageTitle(n));
    }
    platform::shell::refreshMenuBar(bar);
}

void cZJRShowFrame::showPage(int n) {
    cTabbedForm::showPage(n);
    // While another view is active the menu bar is that view's (whose commands may share these
    // ids); activation lists the pages with the mark.
    if (!ui::isWindowVisible(handle()))
        return;
    WindowHandle bar = platform::kNullWindow;
    const platform::shell::MenuPtr popup = pagesPopup(bar);
    if (!popup)
        return;
    for (int p = 0; p < popup->count() && p < pageCount(); ++p) {
        popup->check(
            static_cast<std::uint32_t>(p),
            platform::shell::MF_BYPOSITION |
                (p == currentItem ? platform::shell::MF_CHECKED : platform::shell::MF_UNCHECKED));
    }
    platform::shell::refreshMenuBar(bar);
}

void cZJRShowFrame::OnViewActivate() { listPagesInMenu(); }

bool cZJRShowFrame::Refresh() {
    const Rect client = ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
    return true;
}

const ui::MessageMapBase& cZJRShowFrame::messageMap() const {
    static const auto map = ui::MessageMap<cZJRShowFrame>(&cTabbedForm::messageMap())
                                .message(ui::WM_CREATE, &cZJRShowFrame::OnCreate)
                                .command(kCommandStopTimetableBack, &cZJRShowFrame::menuBack)
                                .commandRange(kCommandFirstPage, kCommandLastPage, &cZJRShowFrame::menuPage);
    return map;
}

}  // namespace pelorvant
