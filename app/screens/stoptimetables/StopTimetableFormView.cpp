#include "app/screens/stoptimetables/StopTimetableFormView.h"

#include "app/core/EngineTexts.h"
#include "app/core/PrivateMessages.h"
#include "app/core/TextConversion.h"
#include "app/shell/BufferedPaint.h"
#include "app/screens/stoptimetables/StopQuerySide.h"
#include "app/screens/stoptimetables/StopTimetableFailure.h"
#include "app/screens/progress/TabServices.h"
#include "app/shell/DateTimeValue.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ViewTable.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/InputPanel.h"
#include "platform/shell/MessageBox.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <ctime>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kLabelTexts[4] = {386, 387, 411, 388};
constexpr std::uint32_t kTextWeek = 389;
constexpr std::uint32_t kTextWarning = 344;
constexpr std::uint32_t kTextEngineFailure = 279;

// Design rectangles (percent of the page): the caption column and the field column, one row
// each; the "X" buttons at the right end of their row.
constexpr Rect kLabelPlaces[4] = {
    {2, 17, 25, 27}, {2, 31, 25, 41}, {2, 45, 25, 55}, {2, 3, 25, 13}};
constexpr Rect kFieldPlaces[4] = {
    {27, 17, 84, 27}, {27, 31, 84, 41}, {27, 45, 97, 55}, {27, 3, 84, 13}};
constexpr Rect kWeekPlace{27, 58, 97, 68};
constexpr Rect kClearPlaces[3] = {{86, 17, 97, 27}, {86, 31, 97, 41}, {86, 3, 97, 13}};

void place(platform::WindowHandle window, const Rect& percent, int width, int height,
           int fixedHeight = 0) {
    const int left = width * percent.left / 100;
    const int top = height * percent.top / 100;
    const int w = width * (percent.right - percent.left) / 100;
    int h = height * (percent.bottom - percent.top) / 100;
    if (fixedHeight > 0)
        h = std::min(h, fixedHeight);
    ui::moveWindow(window, left, top, w, h);
}

bool isChecked(platform::WindowHandle button) {
    return platform::sendMessage(button, controls::BM_GETCHECK, 0, 0) == controls::BST_CHECKED;
}

}  // namespace

cStopTimetableFormView::cStopTimetableFormView(ProgramContext& context,
                                               cImageMessageBoxView* listView)
    : names(*context.api, *context.data, -1),
      from(0, platform::kNullWindow, false, names),
      direction(1, platform::kNullWindow, false, names),
      date(2, false),
      fromChoice(0, kViewSearchForm),
      directionChoice(1, kViewSearchForm),
      lineChoice(5, kViewSearchForm),
      context_(context) {
    for (cChoiceBox* choice : {&fromChoice, &directionChoice, &lineChoice}) {
        choice->listView = listView;
        choice->returnMenu = kOwnMenu;
    }
}

cStopTimetableFormView::~cStopTimetableFormView() = default;

bool cStopTimetableFormView::createPage(platform::WindowHandle form, const Rect& rect) {
    return createView(form, rect, 94);
}

std::int32_t cStopTimetableFormView::setIndex() const {
    const TabServices* tab = parentTabServices(ui::getParent(handle()));
    return tab ? tab->setIndex() : -1;
}

MsgResult cStopTimetableFormView::OnCreate(std::uintptr_t, std::intptr_t) {
    const bool touch = context_.settings->isNotSmartphone;
    const Rect small{0, 0, 10, 10};
    for (int i = 0; i < 4; ++i)
        labels[i].createStatic(handle(), loadResString(kLabelTexts[i]), small, kStChildId);
    date.createSpin(handle(), small, kStChildId);

    ui::CreateParams check;
    check.style = ui::WS_CHILD | ui::WS_VISIBLE | controls::BS_AUTOCHECKBOX;
    check.rect = small;
    check.parent = handle();
    check.text = loadResString(kTextWeek);
    check.id = kStWeekBoxId;
    week.createControl(controls::kButtonClass, check);

    fromChoice.createChoice(handle(), small, kStFromChoiceId);
    directionChoice.createChoice(handle(), small, kStChoiceId);
    lineChoice.createChoice(handle(), small, kStChoiceId);
    lineBox.createEdit(handle(), small, touch ? kStLineBoxTouchId : kStLineBoxKeypadId);
    const std::uint32_t clearIds[3] = {kCommandClearFrom, kCommandClearDirection,
                                       kCommandClearLine};
    for (int i = 0; i < 3; ++i)
        clear[i].createButton(handle(), u"X", small, clearIds[i]);
    // The boxes come last, From last of all: each one's suggestion list lies above the controls
    // below it.
    direction.createBox(handle(), small, kStDirectionBoxId);
    ui::setWindowText(direction.handle(), u"to");
    from.createBox(handle(), small, kStFromBoxId);
    ui::setWindowText(from.handle(), u"from");
    for (cChoiceBox* choice : {&fromChoice, &directionChoice, &lineChoice})
        choice->Show(ui::SW_HIDE);
    ui::showWindow(clear[kFromSide].handle(), ui::SW_HIDE);
    ui::showWindow(clear[kDirectionSide].handle(), ui::SW_HIDE);
    date.SetTime(currentTime());
    return 0;
}

void cStopTimetableFormView::Layout(unsigned flags, int width, int height) {
    if (flags & kLayoutInputPanel)
        return;
    if (width <= 0 || height <= 0)
        return;
    const auto font = reinterpret_cast<std::uintptr_t>(&shellSettings().mainFont());
    const int rowHeight = context_.settings->fontHeight * 2;
    for (int i = 0; i < 4; ++i) {
        place(labels[i].handle(), kLabelPlaces[i], width, height, rowHeight);
        platform::sendMessage(labels[i].handle(), controls::WM_SETFONT, font, 1);
    }
    cTextBox* boxes[2] = {&from, &direction};
    cChoiceBox* choices[3] = {&fromChoice, &directionChoice, &lineChoice};
    for (int side = 0; side < 3; ++side) {
        const Rect field = kFieldPlaces[side == kLineSide ? 3 : side];
        if (side != kLineSide && ui::getParent(boxes[side]->handle()) == handle()) {
            place(boxes[side]->handle(), field, width, height, rowHeight);
            boxes[side]->listHeight = (height / 100) * 50;
            boxes[side]->Layout();
        }
        place(choices[side]->handle(), field, width, height, rowHeight);
        choices[side]->SetFont(&shellSettings().mainFont());
        choices[side]->Layout();
        place(clear[side].handle(), kClearPlaces[side], width, height, rowHeight);
        platform::sendMessage(clear[side].handle(), controls::WM_SETFONT, font, 1);
    }
    place(lineBox.handle(), kFieldPlaces[3], width, height, rowHeight);
    platform::sendMessage(lineBox.handle(), controls::WM_SETFONT, font, 1);
    place(date.handle(), kFieldPlaces[2], width, height, rowHeight);
    date.Layout();
    place(week.handle(), kWeekPlace, width, height, rowHeight);
    platform::sendMessage(week.handle(), controls::WM_SETFONT, font, 1);
    ui::invalidateRect(handle());
    repaintChildren(handle());
}

void cStopTimetableFormView::ShowView(int showCommand) {
    cBaseView::ShowView(showCommand);
    if (showCommand != ui::SW_HIDE)
        repaintChildren(handle());
}

void cStopTimetableFormView::SelectTimetable(std::int32_t fileIndex) {
    const std::int32_t set = setIndex();
    const std::vector<std::int32_t> catalogue = context_.data->GetIndexyHlavicekSestavy(set);
    fileIndex_ = fileIndex;
    catalogueIndex_ = fileIndex >= 0 && fileIndex < static_cast<std::int32_t>(catalogue.size())
                          ? catalogue[static_cast<std::size_t>(fileIndex)]
                          : -1;
    names.setSet(set);
    for (cTextBox* box : {&from, &direction})
        box->timetableRestriction = fileIndex;
    ResetForm();
}

void cStopTimetableFormView::ResetForm() {
    choices_ = {};
    for (Side side : {kFromSide, kDirectionSide, kLineSide})
        backToTyping(side, false);
    for (cTextBox* box : {&from, &direction}) {
        box->selectSuggestion(-1, false);
        box->hideList();
        box->resetInput();
    }
    SetCurrentTime();
    platform::sendMessage(week.handle(), controls::BM_SETCHECK, controls::BST_UNCHECKED, 0);
    ui::setFocus(handle());
}

void cStopTimetableFormView::SetCurrentTime() {
    date.SetTime(currentTime());
}

void cStopTimetableFormView::SwapDirection() {
    if (choosing_[kFromSide] || choosing_[kDirectionSide])
        return;
    std::swap(from.chosen, direction.chosen);
    std::swap(from.text, direction.text);
    std::swap(from.t9, direction.t9);
    for (cTextBox* box : {&from, &direction}) {
        box->hideList();
        box->showSelectedName();
        ui::invalidateRect(box->handle());
    }
    ui::setFocus(handle());
}

void cStopTimetableFormView::backToTyping(Side side, bool focus) {
    choosing_[static_cast<std::size_t>(side)] = false;
    cChoiceBox* choices[3] = {&fromChoice, &directionChoice, &lineChoice};
    choices[side]->Show(ui::SW_HIDE);
    if (side != kLineSide && context_.settings->isNotSmartphone)
        ui::showWindow(clear[side].handle(), ui::SW_HIDE);
    platform::WindowHandle typing = platform::kNullWindow;
    if (side == kLineSide) {
        ui::setWindowText(lineBox.handle(), u"");
        typing = lineBox.handle();
    } else {
        cTextBox& box = side == kFromSide ? from : direction;
        box.selectSuggestion(-1, false);
        box.resetInput();
        typing = box.handle();
    }
    ui::showWindow(typing, ui::SW_SHOW);
    if (focus)
        ui::setFocus(typing);
}

void cStopTimetableFormView::showChoice(Side side) {
    choosing_[static_cast<std::size_t>(side)] = true;
    cChoiceBox* choices[3] = {&fromChoice, &directionChoice, &lineChoice};
    if (side == kLineSide) {
        ui::showWindow(lineBox.handle(), ui::SW_HIDE);
    } else {
        cTextBox& box = side == kFromSide ? from : direction;
        box.hideList();
        ui::showWindow(box.handle(), ui::SW_HIDE);
    }
    choices[side]->Show(ui::SW_SHOW);
    if (side != kLineSide && context_.settings->isNotSmartphone)
        ui::showWindow(clear[side].handle(), ui::SW_SHOW);
}

std::int32_t cStopTimetableFormView::stopsKind() const {
    std::int32_t kinds = 0;
    std::int32_t kind = -1;
    if (context_.api->api_getPocetDruhuKategorii(setIndex(), fileIndex_, &kinds, &kind) !=
        ENGINE_OK)
        return -1;
    return kind;
}

std::u16string cStopTimetableFormView::stopElementName(std::int32_t element) const {
    // The query's elements are those of the category that holds the stops.
    const std::int32_t kind = stopsKind();
    if (kind < 0)
        return {};
    return EngineTexts(*context_.api)
        .getNazevElementuKategorie(setIndex(), fileIndex_, kind, element);
}

void cStopTimetableFormView::refreshDirections() {
    directionChoice.items().clear();
    const int item = fromChoice.GetCurSel();
    if (item >= 0 && item < static_cast<int>(choices_.items.size())) {
        for (std::int32_t element : choices_.items[static_cast<std::size_t>(item)].directions) {
            directionChoice.items().push_back(stopElementName(element));
        }
    }
    directionChoice.fillComboBox();
    directionChoice.SetCurSel(directionChoice.items().empty() ? -1 : 0);
}

void cStopTimetableFormView::fillChoices() {
    fromChoice.items().clear();
    for (const QueryItemChoice& item : choices_.items)
        fromChoice.items().push_back(stopElementName(item.element));
    fromChoice.fillComboBox();
    fromChoice.SetCurSel(choices_.items.empty() ? -1 : 0);
    lineChoice.items().clear();
    for (const LineChoice& line : choices_.lines)
        lineChoice.items().push_back(line.label);
    lineChoice.fillComboBox();
    lineChoice.SetCurSel(choices_.lines.empty() ? -1 : 0);
    // A line group without a name leaves the typed line as it was: the next search needs it.
    if (!choices_.lines.empty() && !choices_.lines.front().name.empty()) {
        ui::setWindowText(lineBox.handle(), choices_.lines.front().name);
    }
    refreshDirections();
}

std::int32_t cStopTimetableFormView::sideElement(const cTextBox& box, const cChoiceBox& choice,
                                                 Side side) const {
    if (choosing_[static_cast<std::size_t>(side)]) {
        const int item = fromChoice.GetCurSel();
        if (item < 0 || item >= static_cast<int>(choices_.items.size()))
            return -1;
        const QueryItemChoice& chosen = choices_.items[static_cast<std::size_t>(item)];
        if (side == kFromSide)
            return chosen.element;
        const int n = choice.GetCurSel();
        if (n < 0 || n >= static_cast<int>(chosen.directions.size()))
            return -1;
        return chosen.directions[static_cast<std::size_t>(n)];
    }
    const std::unique_ptr<cTextBoxKategorieElement> element = box.getElement();
    if (!element)
        return -1;
    // A town or any other object that is not one stop element of this file stands for several
    // stops: searched without it, the engine offers the stops to choose from.
    const StopQuerySide chosen = stopQuerySide(*element, fileIndex_, stopsKind());
    if (chosen.severalStops) {
        platform::shell::messageBox(handle(), side == kFromSide ? u"chyba u from" : u"chyba u to",
                                    loadResString(kTextWarning), platform::shell::MB_OK);
    }
    return chosen.element;
}

void cStopTimetableFormView::tell(std::uint32_t text) {
    platform::shell::messageBox(handle(), loadResString(text), loadResString(kTextWarning),
                                platform::shell::MB_OK | platform::shell::MB_ICONWARNING);
    ui::setFocus(handle());
}

void cStopTimetableFormView::menuFind() {
    if (context_.settings->isNotSmartphone)
        platform::shell::sipShowIM(platform::shell::SIPF_OFF);
    StopTimetableQuery query;
    query.set = setIndex();
    query.fileIndex = fileIndex_;
    query.from = sideElement(from, fromChoice, kFromSide);
    query.to = sideElement(direction, directionChoice, kDirectionSide);
    query.lineText = toNarrowString(ui::getWindowText(lineBox.handle()));
    const int line = lineChoice.GetCurSel();
    if (choosing_[kLineSide] && line >= 0 && line < static_cast<int>(choices_.lines.size())) {
        query.lineIndex = choices_.lines[static_cast<std::size_t>(line)].lineGroup;
    }
    const std::time_t when = date.GetTime();
    std::tm parts{};
    localtime_r(&when, &parts);
    const std::int32_t dayStatus = context_.api->api_DatumToShortDen(
        parts.tm_mday, parts.tm_mon + 1, parts.tm_year + 1900, &query.day);
    if (endOnEngineFailure(dayStatus))
        return;
    query.week = isChecked(week.handle());

    // The answer releases the engine's result when it goes, on every path below.
    const StopTimetableAnswer answer = runStopTimetableSearch(*context_.api, query);
    if (endOnEngineFailure(answer.engineStatus))
        return;
    const StatusReaction reaction = reactionToStatus(answer.status);
    if (!reaction.keepsChoices)
        takeChoices(answer, query.set);
    if (answer.status == 0) {
        if (!choices_.lines.empty())
            query.lineIndex = choices_.lines.front().lineGroup;
        choices_.lines.clear();
        if (showResult)
            showResult(answer, query);
        return;
    }
    showStatus(reaction, reaction.showsLines, reaction.showsFrom, reaction.showsDirection);
}

void cStopTimetableFormView::offerChoices(const StopTimetableAnswer& answer,
                                          const StopTimetableQuery& query) {
    if (query.fileIndex != fileIndex_)
        SelectTimetable(query.fileIndex);
    const StatusReaction reaction = reactionToStatus(answer.status);
    if (!reaction.keepsChoices)
        takeChoices(answer, query.set);
    // The line side stays as it is: its typed text, or its choice now holding the one line,
    // names the line searched. The from stop, though, was a stop of the route, not what the
    // from box holds: a direction to choose comes with the from stop it belongs to.
    const bool line = reaction.showsLines;
    const bool from =
        reaction.showsFrom || (reaction.showsDirection && !choices_.items.empty());
    showStatus(reaction, line, from, reaction.showsDirection);
}

void cStopTimetableFormView::showStatus(const StatusReaction& reaction, bool line, bool from,
                                        bool direction) {
    if (line)
        showChoice(kLineSide);
    if (from)
        showChoice(kFromSide);
    if (direction)
        showChoice(kDirectionSide);
    tell(reaction.text != 0 ? reaction.text : kTextEngineFailure);
    openListByItself(line, from, direction);
}

void cStopTimetableFormView::takeChoices(const StopTimetableAnswer& answer, std::int32_t set) {
    const std::int32_t file = fileIndex_;
    choices_ = readStopTimetableChoices(*context_.api, answer, [this, set, file](std::int32_t line) {
        LineNames names;
        std::int32_t kind = -1;
        names.group = context_.data->getNadlinka(set, file, line, kind);
        if (kind >= 0)
            names.kind = EngineTexts(*context_.api).getDruhLinky(set, file, kind);
        return names;
    });
    fillChoices();
}

void cStopTimetableFormView::openListByItself(bool line, bool from, bool direction) {
    ShownChoiceCounts shown;
    if (line)
        shown.line = lineChoice.items().size();
    if (from)
        shown.from = fromChoice.items().size();
    if (direction)
        shown.direction = directionChoice.items().size();
    switch (sideOpenedByItself(shown)) {
        case StSide::line:
            lineChoice.openList();
            break;
        case StSide::from:
            fromChoice.openList();
            break;
        case StSide::direction:
            directionChoice.openList();
            break;
        case StSide::none:
            break;
    }
}

void cStopTimetableFormView::fromChoiceChanged(bool opensDirections) {
    refreshDirections();
    if (opensDirections && choosing_[kDirectionSide])
        openListByItself(false, false, true);
}

MsgResult cStopTimetableFormView::OnChoiceChanged(std::uintptr_t id, std::intptr_t) {
    // The keypad's drop list steps item by item: the directions follow each step, and no list
    // opens by itself on the way.
    if (id == kStFromChoiceId)
        fromChoiceChanged(false);
    return 0;
}

platform::WindowHandle cStopTimetableFormView::sideWindow(int side) const {
    switch (side) {
        case 0:
            return choosing_[kFromSide]
                       ? (fromChoice.hasCombo ? fromChoice.combo.handle() : fromChoice.handle())
                       : from.handle();
        case 1:
            return choosing_[kDirectionSide]
                       ? (directionChoice.hasCombo ? directionChoice.combo.handle()
                                                   : directionChoice.handle())
                       : direction.handle();
        case 2:
            return date.handle();
        case 3:
            return week.handle();
        default:
            return choosing_[kLineSide]
                       ? (lineChoice.hasCombo ? lineChoice.combo.handle() : lineChoice.handle())
                       : lineBox.handle();
    }
}

void cStopTimetableFormView::OnSetFocus() {
    from.hideList();
    direction.hideList();
    if (ui::getParent(from.handle()) == handle())
        ui::setFocus(sideWindow(0));
}

MsgResult cStopTimetableFormView::OnPageMoveFocus(std::uintptr_t wParam, std::intptr_t) {
    // The order: Linka, Z, Směr, Datum, Celý týden.
    constexpr int kOrder[5] = {4, 0, 1, 2, 3};
    const platform::WindowHandle focus = ui::getFocus();
    int at = -1;
    for (int i = 0; i < 5; ++i) {
        const platform::WindowHandle w = sideWindow(kOrder[i]);
        if (focus == w || (focus != platform::kNullWindow && ui::getParent(focus) == w))
            at = i;
    }
    const bool up = wParam == 1;
    const int next = at < 0 ? 0 : at + (up ? -1 : 1);
    if (next < 0 || next >= 5) {
        // Leaving the page: the tab row.
        ui::setFocus(ui::getParent(ui::getParent(ui::getParent(handle()))));
        return 0;
    }
    ui::setFocus(sideWindow(kOrder[next]));
    return 0;
}

bool cStopTimetableFormView::routeCommand(std::uint32_t id, std::uint32_t code) {
    switch (id) {
        case kCommandFindFromLine:
            menuFind();
            return true;
        case kCommandClearFrom:
            backToTyping(kFromSide, true);
            return true;
        case kCommandClearDirection:
            backToTyping(kDirectionSide, true);
            return true;
        case kCommandClearLine:
            backToTyping(kLineSide, true);
            return true;
        case kStFromChoiceId:
            // The touch screen's combo: the user has chosen another query item.
            if (code == controls::CBN_SELCHANGE)
                fromChoiceChanged(true);
            return true;
        default:
            break;
    }
    return cBaseView::routeCommand(id, code);
}

const platform::ui::MessageMapBase& cStopTimetableFormView::messageMap() const {
    static const auto map =
        platform::ui::MessageMap<cStopTimetableFormView>(&cBaseView::messageMap())
            .message(ui::WM_CREATE, &cStopTimetableFormView::OnCreate)
            .message(ui::WM_SETFOCUS, &cStopTimetableFormView::OnSetFocus)
            .message(WM_MOVE_FOCUS, &cStopTimetableFormView::OnPageMoveFocus)
            .message(WM_CHOICE_CHANGED, &cStopTimetableFormView::OnChoiceChanged);
    return map;
}

}  // namespace pelorvant
