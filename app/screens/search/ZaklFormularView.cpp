#include "app/screens/search/ZaklFormularView.h"

#include "app/core/PrivateMessages.h"
#include "app/core/LabelPlainText.h"
#include "app/core/SmsSender.h"
#include "app/screens/progress/ProgressFormView.h"
#include "app/screens/progress/TabServices.h"
#include "app/screens/search/SmsTicketRequest.h"
#include "app/screens/search/SmsWithProgress.h"
#include "app/shell/ChoicePopup.h"
#include "app/shell/DateTimeValue.h"
#include "app/shell/FatalError.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ViewTable.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/services/gps/GpsSource.h"
#include "platform/shell/InputPanel.h"
#include "platform/shell/MessageBox.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace shell = platform::shell;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextBadDate = 182;
constexpr std::uint32_t kTextBadObjects = 202;
constexpr std::uint32_t kTextFavouriteAdd = 184;
constexpr std::uint32_t kTextFavouriteRemove = 186;
constexpr std::uint32_t kLabelTexts[6] = {168, 170, 169, 172, 171, 173};
constexpr std::uint32_t kTextDeparture = 175;
constexpr std::uint32_t kTextTicketCaption = 275;
constexpr std::uint32_t kTextSmsSent = 12014;
constexpr std::uint32_t kTextProgramTitle = 128;
constexpr std::uint32_t kCommandQuickTicket = 2064;
constexpr std::uint32_t kTextArrival = 174;
constexpr int kLabelTime = 3;
constexpr int kLabelType = 5;

// Design rectangles (percent): portrait, landscape or square, Smartphone.
struct Placement {
    Rect portrait, landscape, keypad;
};
constexpr Placement kFromPlace{{20, 5, 95, 15}, {15, 2, 95, 15}, {20, 5, 95, 15}};
constexpr Placement kToPlace{{20, 17, 95, 30}, {15, 17, 95, 30}, {20, 17, 95, 30}};
constexpr Placement kViaPlace{{20, 32, 95, 45}, {15, 32, 95, 45}, {20, 32, 95, 45}};
constexpr Placement kSpinPlace{{25, 47, 95, 60}, {15, 50, 69, 65}, {25, 47, 95, 60}};
constexpr Placement kTransfersPlace{{40, 74, 95, 86}, {30, 82, 69, 94}, {40, 74, 95, 86}};
constexpr Placement kLabelPlaces[6] = {
    {{2, 5, 19, 15}, {2, 4, 15, 15}, {2, 5, 19, 15}},    {{2, 19, 19, 30}, {2, 19, 15, 30}, {2, 24, 19, 30}},
    {{2, 33, 19, 45}, {2, 34, 15, 45}, {2, 43, 19, 45}}, {{2, 47, 20, 60}, {2, 50, 15, 65}, {2, 62, 20, 60}},
    {{2, 75, 35, 86}, {2, 82, 27, 94}, {2, 81, 35, 86}}, {{2, 61, 20, 72}, {2, 68, 15, 78}, {}}};
constexpr Placement kDeparturePlace{{65, 61, 95, 72}, {45, 68, 70, 78}, {}};
constexpr Placement kArrivalPlace{{25, 61, 60, 72}, {20, 68, 45, 78}, {}};
constexpr Placement kQuickPlaces[3] = {{{2, 88, 32, 98}, {72, 50, 98, 62}, {}},
                                       {{35, 88, 65, 98}, {72, 65, 98, 77}, {}},
                                       {{68, 88, 98, 98}, {72, 80, 98, 92}, {}}};

void setPlacement(LayoutAnchor& anchor, const Placement& place, bool touch) {
    anchor.portrait = touch ? place.portrait : place.keypad;
    anchor.landscape = touch ? place.landscape : Rect{};
}

void rightOf(LayoutAnchor& anchor, const LayoutAnchor& label, int gap) {
    anchor.portraitMode = {kAnchorRightOfCentred, gap};
    anchor.landscapeMode = {kAnchorRightOfCentred, gap};
    anchor.portraitReference = &label;
    anchor.landscapeReference = &label;
}

void place(platform::WindowHandle window, LayoutAnchor& anchor, int width, int height) {
    const Rect r = anchor.place(0, 0, width, height);
    ui::moveWindow(window, r.left, r.top, r.width(), r.height());
}

bool isChecked(platform::WindowHandle button) {
    return platform::sendMessage(button, controls::BM_GETCHECK, 0, 0) == controls::BST_CHECKED;
}

void setChecked(platform::WindowHandle button, bool on) {
    platform::sendMessage(button, controls::BM_SETCHECK,
                          static_cast<std::uintptr_t>(on ? controls::BST_CHECKED : controls::BST_UNCHECKED), 0);
}

// The triples of a chosen element, for the job.
std::vector<TrasaTriple> triplesOf(const cTextBox& box) {
    const std::unique_ptr<cTextBoxKategorieElement> element = box.getElement();
    std::vector<TrasaTriple> out;
    if (element) out.assign(element->items, element->items + element->count);
    return out;
}

}  // namespace

const QuickButtonCommand& quickButtonRow(std::int32_t setting) {
    if (setting < 0 || setting >= static_cast<std::int32_t>(kQuickButtonCommands.size())) return kQuickButtonCommands[0];
    return kQuickButtonCommands[static_cast<std::size_t>(setting)];
}

cZaklFormularView::cZaklFormularView(ProgramContext& context, SearchFormHost& host, cImageMessageBoxView* listView)
    : names(*context.api, *context.data, -1, [&host] { return host.searchCategory() - 1; }),
      from(0, platform::kNullWindow, context.settings->isgps, names),
      to(1, platform::kNullWindow, false, names),
      via(2, platform::kNullWindow, false, names),
      transfers(4, kViewSearchForm),
      spin(3, true),
      context_(context),
      host_(host),
      messageView_(listView) {
    transfers.listView = listView;
    transfers.returnMenu = kOwnMenu;
}

cZaklFormularView::~cZaklFormularView() = default;

bool cZaklFormularView::createPage(platform::WindowHandle form, const Rect& rect) {
    return createView(form, rect, 94);
}

MsgResult cZaklFormularView::OnCreate(std::uintptr_t, std::intptr_t) {
    const bool touch = context_.settings->isNotSmartphone;
    const Rect small{0, 0, 10, 10};
    const int gap = context_.settings->fontHeight / 2;
    for (int i = 0; i < 6; ++i) {
        if (i == kLabelType && !touch) continue;
        labels[i].createStatic(handle(), loadResString(kLabelTexts[i]), small, kSearchPageChildId);
        setPlacement(labels[i].anchor, kLabelPlaces[i], touch);
        labels[i].anchor.fixedHeight = context_.settings->fontHeight;
    }
    spin.createSpin(handle(), small, kSearchPageChildId);
    transfers.createChoice(handle(), small, kSearchPageChildId);
    for (int n = 0; n <= 10; ++n) {
        std::string digits = std::to_string(n);
        transfers.items().push_back(std::u16string(digits.begin(), digits.end()));
    }
    transfers.fillComboBox();
    transfers.SetCurSel(5);

    setPlacement(from.anchor, kFromPlace, touch);
    setPlacement(to.anchor, kToPlace, touch);
    setPlacement(via.anchor, kViaPlace, touch);
    setPlacement(spin.anchor, kSpinPlace, touch);
    if (touch && context_.settings->touchfriendly) spin.anchor.portrait.left = 15;
    if (touch && context_.settings->touchfriendly) labels[kLabelTime].anchor.portrait.right = 15;
    setPlacement(transfers.anchor, kTransfersPlace, touch);
    rightOf(from.anchor, labels[0].anchor, gap);
    rightOf(to.anchor, labels[1].anchor, gap);
    rightOf(via.anchor, labels[2].anchor, gap);
    rightOf(spin.anchor, labels[3].anchor, gap);
    rightOf(transfers.anchor, labels[4].anchor, gap);

    if (touch) {
        ui::CreateParams radio;
        radio.style = ui::WS_CHILD | ui::WS_VISIBLE | controls::BS_AUTORADIOBUTTON;
        radio.rect = small;
        radio.parent = handle();
        radio.text = loadResString(kTextDeparture);
        radio.id = kDepartureRadioId;
        departureRadio.createControl(controls::kButtonClass, radio);
        radio.text = loadResString(kTextArrival);
        radio.id = kArrivalRadioId;
        arrivalRadio.createControl(controls::kButtonClass, radio);
        setChecked(departureRadio.handle(), true);
        setPlacement(departureRadio.anchor, kDeparturePlace, true);
        setPlacement(arrivalRadio.anchor, kArrivalPlace, true);
        departureRadio.anchor.fixedHeight = context_.settings->fontHeight * 3 / 2;
        arrivalRadio.anchor.fixedHeight = departureRadio.anchor.fixedHeight;
        rightOf(departureRadio.anchor, labels[kLabelType].anchor, gap);
        rightOf(arrivalRadio.anchor, departureRadio.anchor, gap);
        const std::int32_t settingsRows[3] = {context_.settings->qb1, context_.settings->qb2, context_.settings->qb3};
        for (int i = 0; i < 3; ++i) {
            const QuickButtonCommand& row = quickButtonRow(settingsRows[i]);
            quick[i].createButton(handle(), loadResString(row.shortText), small, row.command);
            setPlacement(quick[i].anchor, kQuickPlaces[i], true);
        }
    }
    // The boxes come last, From last of all: each one's suggestion list lies above the
    // controls below it.
    via.createBox(handle(), small, kViaBoxId);
    ui::setWindowText(via.handle(), u"over");
    to.createBox(handle(), small, kToBoxId);
    ui::setWindowText(to.handle(), u"to");
    from.createBox(handle(), small, kFromBoxId);
    ui::setWindowText(from.handle(), u"from");
    addFocusItem(from.anchor, from.handle());
    addFocusItem(to.anchor, to.handle());
    addFocusItem(via.anchor, via.handle());
    addFocusItem(spin.anchor, spin.handle());
    addFocusItem(transfers.anchor, transfers.hasCombo ? transfers.combo.handle() : transfers.handle());
    if (touch) {
        addFocusItem(departureRadio.anchor, departureRadio.handle());
        addFocusItem(arrivalRadio.anchor, arrivalRadio.handle());
        for (cImageButton& button : quick) addFocusItem(button.anchor, button.handle());
    }
    for (std::size_t i = 0; i < focusItems.size(); ++i) {
        focusItems[i]->canTakeFocus = true;
        focusItems[i]->focusOrder = static_cast<int>(i);
    }
    // A keypad phone that types text chooses the transfers in a drop-down list too.
    if (!touch && from.editMode)
        transfers.useSystemCombo(true);
    spin.SetTime(currentTime());
    return 0;
}

void cZaklFormularView::Layout(unsigned flags, int width, int height) {
    if (flags & kLayoutInputPanel) {
        if (cTextBox* box = focusedBox(true); box != nullptr && ui::isWindowVisible(handle()) &&
                                               context_.settings->isNotSmartphone) {
            host_.takeTextBox(*box);
            return;
        }
    }
    if (width <= 0 || height <= 0) return;
    const bool touch = context_.settings->isNotSmartphone;
    const auto font = reinterpret_cast<std::uintptr_t>(&shellSettings().mainFont());
    for (cImageStatic& label : labels) {
        if (label.handle() == platform::kNullWindow) continue;
        place(label.handle(), label.anchor, width, height);
        platform::sendMessage(label.handle(), controls::WM_SETFONT, font, 1);
    }
    for (cTextBox* box : {&from, &to, &via}) {
        if (ui::getParent(box->handle()) != handle()) continue;  // borrowed by the full-screen entry
        place(box->handle(), box->anchor, width, height);
        box->listHeight = (height / 100) * 60;
        box->Layout();
    }
    place(spin.handle(), spin.anchor, width, height);
    if (touch && shellSettings().orientation() == kOrientationPortrait) {
        // In portrait the date reaches as far right as the Via box.
        const Rect s = ui::getWindowRect(spin.handle());
        const Rect v = via.anchor.computed;
        const Rect inParent = spin.anchor.computed;
        ui::moveWindow(spin.handle(), inParent.left, inParent.top, v.right - inParent.left, s.height());
    }
    spin.Layout();
    place(transfers.handle(), transfers.anchor, width, height);
    transfers.SetFont(&shellSettings().mainFont());
    transfers.Layout();
    if (!touch && context_.settings->isLandscapeQwerty && !context_.settings->isStandardQwerty) {
        // The slide-out keyboard is there in landscape: the boxes type text there, T9 in portrait.
        const bool edit = shellSettings().orientation() == kOrientationLandscape;
        if (from.editMode != edit)
            setInputMode(edit);
    }
    if (touch) {
        for (cImageButton* button : {&departureRadio, &arrivalRadio, &quick[0], &quick[1], &quick[2]}) {
            place(button->handle(), button->anchor, width, height);
            platform::sendMessage(button->handle(), controls::WM_SETFONT, font, 1);
        }
    }
    ui::invalidateRect(handle());
}

cTextBox* cZaklFormularView::focusedBox(bool withVia) const {
    const platform::WindowHandle focus = ui::getFocus();
    for (const cTextBox* box : {&from, &to, &via}) {
        if (!withVia && box == &via) continue;
        if (focus != platform::kNullWindow && (focus == box->handle() || ui::getParent(focus) == box->handle())) {
            return const_cast<cTextBox*>(box);
        }
    }
    return nullptr;
}

bool cZaklFormularView::isArrival() const {
    if (context_.settings->isNotSmartphone) return isChecked(arrivalRadio.handle());
    return !departureFlag;
}

bool cZaklFormularView::isGpsEntry() const {
    // The GPS entry is a state of the box: its text stays empty while the placeholder shows.
    return context_.settings->isgps && from.showsGpsPosition();
}

namespace {

// Something was typed into a box that names no object.
bool typedWithoutObject(const cTextBox& box) {
    return box.chosen.count == 0 && box.text.find_first_not_of(u" \t") != std::u16string::npos;
}

}  // namespace

void cZaklFormularView::menuFind() {
    const platform::WindowHandle owner = mainFrameWindow();
    if (!spin.IsValid()) {
        platform::shell::messageBox(owner, loadResString(kTextBadDate), loadResString(344), platform::shell::MB_OK);
        return;
    }
    const bool arrival = isArrival();
    if (context_.settings->isNotSmartphone) platform::shell::sipShowIM(platform::shell::SIPF_OFF);
    TabServices* tab = parentTabServices(ui::getParent(handle()));
    auto job = std::make_unique<cSearchJob>();
    job->set = tab ? tab->setIndex() : -1;
    job->fromTriples = triplesOf(from);
    job->toTriples = triplesOf(to);
    job->viaTriples = triplesOf(via);
    job->when = static_cast<std::int64_t>(spin.GetTime());
    job->maxTransfers = static_cast<std::uint8_t>(transfers.GetCurSel() < 0 ? 0 : transfers.GetCurSel());
    job->arrival = arrival ? 1 : 0;
    job->mode = kSearchNew;
    const bool gps = isGpsEntry();
    // A Via that names nothing is as wrong as From or To: the search would quietly go without it.
    if ((job->fromTriples.empty() && !gps) || job->toTriples.empty() || typedWithoutObject(via)) {
        platform::shell::messageBox(owner, loadResString(kTextBadObjects), loadResString(344), platform::shell::MB_OK);
        return;
    }
    job->fromName = gps ? std::u16string() : from.text;
    job->toName = to.text;
    if (gps) {
        // The search runs once the receiver has a fix; the progress view shows the wait.
        if (tab == nullptr)
            return;
        gpsWait_.arm(std::move(job));
        tab->showView(kViewProgress, kProgressMenu);
        tab->progressView().startGpsWait(kViewSearchForm, handle());
        return;
    }
    recordHistory(job->set);
    startSearchJob(std::move(job));
}

void cZaklFormularView::recordHistory(std::int32_t set) const {
    const TimetableData& data = *context_.data;
    data.HistoryIncIdSearch(set);
    for (const cTextBox* box : {&from, &to, &via}) {
        const auto element = box->getElement();
        if (element && element->count > 0)
            data.HistoryAdd(set, *element->place());
    }
}

void cZaklFormularView::startSearchJob(std::unique_ptr<cSearchJob> job) {
    TabServices* tab = parentTabServices(ui::getParent(handle()));
    if (tab == nullptr) return;
    tab->showView(kViewProgress, kProgressSearchMenu);
    tab->progressView().startSearch(std::move(job));
}

MsgResult cZaklFormularView::OnGpsPosition(std::uintptr_t wParam, std::intptr_t) {
    // The receiver hands over its own copy of the fix.
    const std::unique_ptr<platform::services::GpsPosition> fix(
        reinterpret_cast<platform::services::GpsPosition*>(wParam));
    if (!fix) return 0;
    if (std::unique_ptr<cSearchJob> job = gpsWait_.take(fix->latitude, fix->longitude)) {
        recordHistory(job->set);
        startSearchJob(std::move(job));
    }
    return 0;
}

MsgResult cZaklFormularView::OnGpsStopped(std::uintptr_t, std::intptr_t) {
    // Cancelled, or the receiver gave up: no search waits any more.
    gpsWait_.cancel();
    return 0;
}

void cZaklFormularView::requestTicket() {
    TabServices* tab = parentTabServices(ui::getParent(handle()));
    const std::int32_t set = tab ? tab->setIndex() : -1;
    if (!smsTicketPossible(context_))
        return;
    const auto send = [this](const std::u16string& recipient, const std::u16string& text) {
        sendTicketMessage(recipient, text);
    };
    const std::vector<SmsTicketEntry> tickets = context_.data->GetSmsJizdenky(set);
    if (tickets.size() <= 1 || tab == nullptr) {
        requestSmsTicket(context_, set, 0, send);
        return;
    }
    // Several tickets: the traveller picks one, as from the results' popup "SMS jízdenka".
    // The question names every ticket with what it is and costs; the choice lists their names.
    std::vector<std::u16string> names;
    std::u16string question = loadResString(kTextTicketCaption);
    for (const SmsTicketEntry& ticket : tickets) {
        names.push_back(ticket.firstText);
        question += u"\r" + plainLabelText(ticket.firstText) + u" - " +
                    plainLabelText(ticket.thirdText) + u" (" + plainLabelText(ticket.priceText) +
                    u")";
    }
    ticketChoice_ = std::make_unique<cChoicePopup>();
    ticketChoice_->showView = [this, tab](int viewId) {
        if (viewId == kChoicePopupViewId) {
            tab->showView(kViewSearchForm, kChoicePopupMenu);
            ui::setFocus(ticketChoice_->choice.handle());
        } else {
            tab->showView(viewId, kOwnMenu);
        }
    };
    ticketChoice_->ShowChoice(
        question, names,
        [this, set, names, send](std::u16string_view chosen, platform::WindowHandle) {
            const auto it = std::find(names.begin(), names.end(), chosen);
            requestSmsTicket(context_, set, static_cast<int>(it - names.begin()), send);
        },
        handle(), kViewSearchForm);
}

void cZaklFormularView::sendTicketMessage(const std::u16string& recipient, const std::u16string& text) {
    const auto told = [](platform::services::SmsResult result) {
        const std::uint32_t failure = smsFailureText(result);
        shell::messageBox(mainFrameWindow(), loadResString(failure == 0 ? kTextSmsSent : failure),
                          loadResString(kTextProgramTitle), shell::MB_OK);
    };
    if (messageView_ == nullptr) {
        sendSmsInBackground(deviceActions_, handle(), recipient, text, told);
        return;
    }
    sendSmsShowingProgress(deviceActions_, handle(), *messageView_, kViewSearchForm, recipient, text, told);
}

MsgResult cZaklFormularView::OnDeviceActionDone(std::uintptr_t number, std::intptr_t result) {
    deviceActions_.finish(number, result);
    return 0;
}

void cZaklFormularView::swapFromTo() {
    std::swap(from.chosen, to.chosen);
    std::swap(from.text, to.text);
    std::swap(from.t9, to.t9);
    for (cTextBox* box : {&from, &to}) {
        box->hideList();
        if (box->chosen.count > 0) {
            box->showSelectedName();
        } else {
            // Typed text that names nothing yet moves with the rest of the typing; an empty box
            // that can stand for the GPS position does so again.
            box->selection = -1;
            box->SetText(std::u16string(box->text), true);
        }
        ui::invalidateRect(box->handle());
    }
    ui::setFocus(from.handle());
}

void cZaklFormularView::setNow() { spin.SetTime(currentTime()); }

void cZaklFormularView::setDeparture(bool departure) {
    departureFlag = departure;
    if (context_.settings->isNotSmartphone) {
        setChecked(departureRadio.handle(), departure);
        setChecked(arrivalRadio.handle(), !departure);
    }
}

void cZaklFormularView::addToFavourites(bool add) {
    // The Via box takes favourites too: its error text names it, and a person expects it.
    cTextBox* box = focusedBox(true);
    if (box == nullptr) {
        platform::shell::messageBox(mainFrameWindow(), loadResString(add ? kTextFavouriteAdd : kTextFavouriteRemove),
                                    loadResString(344), platform::shell::MB_OK);
        return;
    }
    if (add) {
        box->addToFavourites();
    } else {
        box->removeFromFavourites();
    }
    from.hideList();
    to.hideList();
    via.hideList();
    ui::setFocus(box->handle());
}

void cZaklFormularView::ResetForm() {
    setNow();
    for (cTextBox* box : {&from, &to, &via}) {
        box->selectSuggestion(-1, false);
        box->hideList();
        box->resetInput();
    }
    setDeparture(true);
    TabServices* tab = parentTabServices(ui::getParent(handle()));
    std::int32_t value = 0;
    if (tab && context_.api->api_getVychoziPocetPrestupuSestavy(tab->setIndex(), &value) == ENGINE_OK &&
        value >= 0 && value <= 10) {
        transfers.SetCurSel(value);
    }
    host_.setCategoryFilter(0);
}

void cZaklFormularView::OnViewActivate() {
    TabServices* tab = parentTabServices(ui::getParent(handle()));
    if (tab) names.setSet(tab->setIndex());
    if (context_.settings->isgps && tab) {
        from.setGpsFlag(context_.data->setHasGpsPositions(tab->setIndex()));
    }
}

void cZaklFormularView::OnSetFocus() {
    from.hideList();
    to.hideList();
    via.hideList();
    if (ui::getParent(from.handle()) == handle()) ui::setFocus(from.handle());
}

MsgResult cZaklFormularView::OnPageMoveFocus(std::uintptr_t wParam, std::intptr_t lParam) {
    if (wParam == 1 && lParam == 0) {
        // Up from From leaves the page for the tab row.
        ui::setFocus(ui::getParent(ui::getParent(ui::getParent(handle()))));
        return 0;
    }
    return OnMoveFocus(wParam, lParam);
}

MsgResult cZaklFormularView::OnTextBoxMode(std::uintptr_t wParam, std::intptr_t) {
    // A touch screen always types into the system edit and chooses in the system combo box.
    if (context_.settings->isNotSmartphone)
        return 0;
    setInputMode(wParam == 1);
    return 0;
}

void cZaklFormularView::setInputMode(bool edit) {
    if (!edit) {
        context_.settings->useT9 = true;
        for (cTextBox* box : {&from, &to, &via}) box->useT9 = true;
    }
    for (cTextBox* box : {&from, &to, &via}) {
        if (box->editMode != edit)
            box->setEditMode(edit);
    }
    transfers.useSystemCombo(edit);
    transfers.SetFont(&shellSettings().mainFont());
}

MsgResult cZaklFormularView::OnToggleT9(std::uintptr_t, std::intptr_t) {
    const bool on = !from.useT9;
    for (cTextBox* box : {&from, &to, &via}) {
        box->useT9 = on;
        ui::invalidateRect(box->handle());
    }
    context_.settings->useT9 = on;
    context_.ini().writeBool(kSetupSection, u"useT9", on);
    return 0;
}

MsgResult cZaklFormularView::OnRelayout(std::uintptr_t, std::intptr_t) {
    const Rect client = ui::getClientRect(handle());
    Layout(kLayoutInputPanel, client.width(), client.height());
    return 0;
}

bool cZaklFormularView::routeCommand(std::uint32_t id, std::uint32_t code) {
    switch (id) {
        case 2061: menuFind(); return true;
        case 2063: swapFromTo(); return true;
        case 2062: terminateProgram(); return true;
        case 307: setNow(); return true;
        case kCommandQuickTicket:
            requestTicket();
            return true;
        case 2065:
        case 2066:
        case 2067:
        case 2068:
        case 32850:
            host_.formCommand(id);
            return true;
        case kCommandChoiceOk:
        case kCommandChoiceCancel:
            if (!ticketChoice_ || !ticketChoice_->shown)
                break;
            platform::sendMessage(ticketChoice_->handle(), ui::WM_COMMAND, id, 0);
            return true;
        case kDepartureRadioId: case kArrivalRadioId:
            if (context_.settings->isNotSmartphone) setDeparture(id == kDepartureRadioId);
            return true;
        default: break;
    }
    return cBaseView::routeCommand(id, code);
}

const platform::ui::MessageMapBase& cZaklFormularView::messageMap() const {
    static const auto map = platform::ui::MessageMap<cZaklFormularView>(&cBaseView::messageMap())
                                .message(ui::WM_CREATE, &cZaklFormularView::OnCreate)
                                .message(ui::WM_SETFOCUS, &cZaklFormularView::OnSetFocus)
                                .message(WM_MOVE_FOCUS, &cZaklFormularView::OnPageMoveFocus)
                                .message(WM_TEXTBOX_MODE, &cZaklFormularView::OnTextBoxMode)
                                .message(WM_TOGGLE_T9, &cZaklFormularView::OnToggleT9)
                                .message(WM_GPS_POSITION, &cZaklFormularView::OnGpsPosition)
                                .message(WM_GPS_STOPPED, &cZaklFormularView::OnGpsStopped)
                                .message(WM_DEVICE_ACTION_DONE, &cZaklFormularView::OnDeviceActionDone);
    return map;
}

}  // namespace pelorvant
