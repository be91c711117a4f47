#include "app/screens/search/VypisVysledkuView.h"

#include "app/core/CalendarWriter.h"
#include "app/core/DesktopServices.h"
#include "app/core/Diacritics.h"
#include "app/core/LabelPlainText.h"
#include "app/core/PrivateMessages.h"
#include "app/core/SmsSender.h"
#include "app/core/TextConversion.h"
#include "app/screens/progress/ProgressFormView.h"
#include "app/screens/progress/TabServices.h"
#include "app/screens/search/ConnectionTexts.h"
#include "app/screens/search/TrainPosition.h"
#include "app/screens/search/VypisSpojeView.h"
#include "app/shell/ChoicePopup.h"
#include "app/shell/FatalError.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ViewTable.h"

#include "platform/core/MessageLoop.h"
#include "platform/draw/Utf.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <cstdlib>

namespace pelorvant {

namespace ui = platform::ui;
namespace shell = platform::shell;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextNoLeg = 158;
constexpr std::uint32_t kTextNotesTitle = 258;
constexpr std::uint32_t kTextCalendarDone = 283;
constexpr std::uint32_t kTextCalendarFailed = 282;
constexpr std::uint32_t kTextNoGsm = 433;
constexpr std::uint32_t kTextTicketQuestion = 278;
constexpr std::uint32_t kTextTicketCaption = 275;
constexpr std::uint32_t kTextNoLegForPosition = 156;
constexpr std::uint32_t kTextChooseOperator = 157;
constexpr std::uint32_t kTextWrongOperator = 256;
constexpr std::uint32_t kTextPositionFailed = 257;
constexpr std::uint32_t kTextPositionQuestion = 259;
constexpr std::uint32_t kTextPositionCharge = 260;
constexpr std::uint32_t kTextPositionCaption = 261;
constexpr std::uint32_t kTextEngineMemory = 280;
constexpr std::uint32_t kTextEngineFailed = 279;
constexpr std::uint32_t kTextErrorCaption = 162;
constexpr std::uint32_t kCommandNoTicket = 32842;
constexpr std::uint32_t kTextProgramTitle = 128;
constexpr std::uint32_t kTextHowManyConnections = 155;
constexpr std::uint32_t kTextSmsSending = 12013;
constexpr std::uint32_t kTextSmsSent = 12014;
constexpr std::uint32_t kTextNoComposer = 12015;

}  // namespace

cVypisVysledkuView::cVypisVysledkuView(ProgramContext& context, cImageMessageBoxView& messageView,
                                       cVypisSpojeView& listing)
    : cBaseView(false, true, true), context_(context), messageView_(messageView), listing_(listing) {}

cVypisVysledkuView::~cVypisVysledkuView() = default;

bool cVypisVysledkuView::createResultsView(platform::WindowHandle tabPage, const Rect& rect) {
    return createView(tabPage, rect, kResultsViewId);
}

MsgResult cVypisVysledkuView::OnCreate(std::uintptr_t, std::intptr_t) {
    list.createConnectionList(handle(), ui::getClientRect(handle()));
    list.itemHint = [this](const cConnectionRow& row, int item) {
        return connectionItemHint(*context_.api, setIndex(), searchDay(), row, item, shellSettings().fontHeight());
    };
    return 0;
}

std::int32_t cVypisVysledkuView::setIndex() const {
    const TabServices* tab = parentTabServices(handle());
    return tab ? tab->setIndex() : -1;
}

std::int16_t cVypisVysledkuView::searchDay() const {
    const std::time_t when = queryTime ? queryTime() : std::time(nullptr);
    std::tm parts{};
    localtime_r(&when, &parts);
    std::int16_t day = 0;
    const std::int32_t status =
        context_.api->api_DatumToShortDen(parts.tm_mday, parts.tm_mon + 1, parts.tm_year + 1900, &day);
    return status == ENGINE_OK ? day : static_cast<std::int16_t>(-1);
}

void cVypisVysledkuView::engineFailure(std::int32_t status) {
    shell::messageBox(mainFrameWindow(), loadResString(status == ENGINE_OUT_OF_MEMORY ? kTextEngineMemory : kTextEngineFailed),
                      loadResString(kTextErrorCaption), shell::MB_OK | shell::MB_ICONERROR);
    terminateProgram();
}

void cVypisVysledkuView::notice(std::uint32_t textId) {
    shell::messageBox(mainFrameWindow(), loadResString(textId), loadResString(kTextProgramTitle), shell::MB_OK);
}

void cVypisVysledkuView::ShowResults(std::int32_t id) {
    resultId = id;
    ConnectionRowBuilder builder(*context_.api, setIndex(), searchDay());
    std::vector<cConnectionRow> rows = builder.readResult(id);
    if (builder.status != ENGINE_OK) {
        list.clear();
        engineFailure(builder.status);
        return;
    }
    std::int32_t focus = 0;
    if (context_.api->api_getVysledekHledani_SpojeniSfocusem(setIndex(), id, &focus) != ENGINE_OK) focus = 0;
    list.setRows(std::move(rows), focus);
}

void cVypisVysledkuView::findLaterOrEarlier(bool later) {
    TabServices* tab = parentTabServices(handle());
    if (tab == nullptr || resultId < 0) return;
    auto job = std::make_unique<cSearchJob>();
    job->mode = later ? kSearchLater : kSearchEarlier;
    job->resultId = resultId;
    job->set = tab->setIndex();
    tab->showView(kViewProgress, kProgressSearchMenu);
    tab->progressView().startSearch(std::move(job));
}

void cVypisVysledkuView::showNotes() {
    const cUsekSpojeni* leg = list.GetSelectedLeg();
    if (leg == nullptr) {
        notice(kTextNoLeg);
        return;
    }
    const std::u16string text = loadResString(kTextNotesTitle) + plainLabelText(legLineName(*leg)) + u"<*b*>\r\r" +
                                BuildConnectionNotesText(*context_.api, setIndex(), *leg);
    messageView_.showTextReturnTo(text, kResultsViewId, kOwnMenu, ui::getFocus(), false);
}

void cVypisVysledkuView::addToCalendar() {
    if (list.selected < 0) return;
    CalendarEntry entry;
    if (!calendarEntryOf(*context_.api, list.rows[static_cast<std::size_t>(list.selected)], context_.settings->calEdit,
                         entry)) {
        notice(kTextCalendarFailed);
        return;
    }
    // The calendar service and the desktop answer on a worker; the entry goes in silently and
    // the box tells whether it is there. With the form, the form itself is the answer, and
    // only a failure is told.
    const CalendarOptions options = calendarOptionsOf(*context_.settings);
    platform::services::CalendarService& calendar = calendarService();
    platform::services::DesktopOpener& desktop = desktopOpener();
    const bool form = entry.extendedForm;
    deviceActions.start(
        handle(),
        [entry, options, &calendar, &desktop] {
            return static_cast<std::intptr_t>(addCalendarEntry(entry, options, calendar, desktop));
        },
        [this, form](std::intptr_t added) {
            if (!added) {
                notice(kTextCalendarFailed);
            } else if (!form) {
                notice(kTextCalendarDone);
            }
        });
}

void cVypisVysledkuView::askListing() {
    std::vector<std::u16string> counts;
    for (std::size_t n = 1; n <= list.rows.size(); ++n) counts.push_back(numberText(static_cast<int>(n)));
    if (counts.empty()) return;
    askChoice(kTextHowManyConnections, counts, [this](std::u16string_view chosen) {
        const int count = std::atoi(platform::draw::toUtf8(chosen).c_str());
        if (count > 0) sendListing(count);
    });
}

void cVypisVysledkuView::sendListing(int count) {
    // The composer gets the text without diacritics, as one percent-encoded argument; whether
    // a program took it is known only after a moment, on a worker.
    const std::u16string text = stripDiacritics(smsListingText(list.rows, count));
    const std::string address = platform::services::smsComposerAddress("", platform::draw::toUtf8(text));
    platform::services::DesktopOpener& desktop = desktopOpener();
    deviceActions.start(
        handle(), [address, &desktop] { return static_cast<std::intptr_t>(desktop.openConfirmed(address)); },
        [this](std::intptr_t taken) {
            if (!taken) notice(kTextNoComposer);
        });
}

void cVypisVysledkuView::sendMessage(const std::u16string& recipient, const std::u16string& text, bool trainPosition) {
    const std::u16string progress = u"<*b*>" + loadResString(kTextSmsSending) + u"<*b*>\r\r" +
                                    plainLabelText(recipient) + u": " + plainLabelText(text);
    messageView_.showTextReturnTo(progress, kResultsViewId, kOwnMenu, ui::getFocus(), false);
    sendSmsInBackground(
        deviceActions, handle(), recipient, text, [this, trainPosition, progress](platform::services::SmsResult result) {
            // The progress goes when the outcome comes, unless the traveller has left it already.
            if (ui::isWindowVisible(messageView_.handle()) && messageView_.label.markupText == progress) {
                messageView_.menuOkClick();
            }
            const std::uint32_t failure = smsFailureText(result);
            if (failure == 0) {
                notice(kTextSmsSent);
            } else if (trainPosition) {
                shell::messageBox(mainFrameWindow(), loadResString(kTextPositionFailed) + u"\n\n" + loadResString(failure),
                                  loadResString(kTextProgramTitle), shell::MB_OK);
            } else {
                notice(failure);
            }
        });
}

void cVypisVysledkuView::sendTicket(int ticket) {
    if (!context_.settings->isGSM && context_.settings->isNotSmartphone) {
        notice(kTextNoGsm);
        return;
    }
    const std::vector<SmsTicketEntry> tickets = context_.data->GetSmsJizdenky(setIndex());
    if (ticket < 0 || static_cast<std::size_t>(ticket) >= tickets.size()) {
        shell::messageBox(mainFrameWindow(), u"Neexistujici sms", loadResString(kTextProgramTitle), shell::MB_OK);
        return;
    }
    // A ticket's first text is the order code the transport company expects, which also names
    // the ticket in the menu; its second text is the company's number.
    const SmsTicketEntry& entry = tickets[static_cast<std::size_t>(ticket)];
    std::u16string question = loadResString(kTextTicketQuestion);
    if (const std::size_t at = question.find(u"%s"); at != std::u16string::npos) {
        question.replace(at, 2, entry.priceText);
    }
    if (shell::messageBox(mainFrameWindow(), question, loadResString(kTextTicketCaption), shell::MB_YESNO) !=
        shell::IDYES) {
        return;
    }
    sendMessage(entry.secondText, entry.firstText, false);
}

void cVypisVysledkuView::requestTrainPosition() {
    const cUsekSpojeni* leg = list.GetSelectedLeg();
    if (leg == nullptr) {
        notice(kTextNoLegForPosition);
        return;
    }
    const std::u16string line = legLineName(*leg);
    const std::u16string& known = context_.settings->operatorName;
    if (trainPositionRequest(known, line)) {
        sendTrainPosition(known, line);
        return;
    }
    // The operator chosen here is used for this request only.
    askChoice(kTextChooseOperator, trainPositionOperators(),
              [this, line](std::u16string_view chosen) { sendTrainPosition(chosen, line); });
}

void cVypisVysledkuView::askChoice(std::uint32_t questionId, const std::vector<std::u16string>& strings,
                                   std::function<void(std::u16string_view)> chosen) {
    choice_ = std::make_unique<cChoicePopup>();
    choice_->showView = [this](int viewId) { showChoiceView(viewId); };
    choice_->ShowChoice(
        loadResString(questionId), strings,
        [chosen = std::move(chosen)](std::u16string_view answer, platform::WindowHandle) { chosen(answer); }, handle(),
        kResultsViewId);
}

void cVypisVysledkuView::showChoiceView(int viewId) {
    TabServices* tab = parentTabServices(handle());
    if (tab == nullptr) return;
    // The popup's Ok and Storno come with its own menu bar, over this view.
    if (viewId == kChoicePopupViewId) {
        tab->showView(kResultsViewId, kChoicePopupMenu);
        ui::setFocus(choice_->choice.handle());
    } else {
        tab->showView(viewId, kOwnMenu);
    }
}

void cVypisVysledkuView::sendTrainPosition(std::u16string_view operatorName, const std::u16string& lineName) {
    const std::optional<TrainPositionRequest> request = trainPositionRequest(operatorName, lineName);
    if (!request) {
        notice(kTextWrongOperator);
        return;
    }
    const std::u16string question =
        loadResString(kTextPositionQuestion) + lineName + loadResString(kTextPositionCharge);
    if (shell::messageBox(mainFrameWindow(), question, loadResString(kTextPositionCaption), shell::MB_YESNO) !=
        shell::IDYES) {
        return;
    }
    sendMessage(request->number, request->text, true);
}

bool cVypisVysledkuView::openListing() {
    const cUsekSpojeni* leg = list.GetSelectedLeg();
    if (leg == nullptr || !listing_.FillListing(*leg, kResultsViewId)) return false;
    if (TabServices* tab = parentTabServices(handle())) tab->showView(kListingViewId, kOwnMenu);
    return true;
}

void cVypisVysledkuView::stepLeg(bool next) {
    cUsekSpojeni* leg = list.GetSelectedLeg();
    if (leg == nullptr || list.selected < 0) return;
    cVysledekSpoj* other = nullptr;
    const std::int32_t status = next ? context_.api->api_getDalsiVysledekHledaniSpoj(setIndex(), leg, &other)
                                     : context_.api->api_getPredchoziVysledekHledaniSpoj(setIndex(), leg, &other);
    if (status != ENGINE_OK) {
        engineFailure(status);
        return;
    }
    if (other == nullptr || other == leg) return;
    // A trip that would break a transfer is not taken: the row always shows a connection that
    // can be ridden (its neighbour is stepped first, and then this one can follow).
    ConnectionRowBuilder builder(*context_.api, setIndex(), searchDay());
    const bool replaced = builder.replaceLeg(list.rows[static_cast<std::size_t>(list.selected)], leg, other);
    if (builder.status != ENGINE_OK) {
        engineFailure(builder.status);
        return;
    }
    if (replaced) list.rowChanged(list.selected);
}

void cVypisVysledkuView::adaptMenu() {
    const shell::MenuPtr root = shell::menuBarMenu(shell::findMenuBar(mainFrameWindow()));
    if (!root) return;
    shell::MenuPtr menu;
    for (int i = 0; i < root->count(); ++i) {
        if (root->item(i)->kind == shell::MenuItem::Kind::Popup) menu = root->subMenu(i);
    }
    if (!menu) return;
    const std::vector<SmsTicketEntry> tickets = context_.data->GetSmsJizdenky(setIndex());
    // The ticket popup follows "Poslat SMS výpis".
    if (context_.settings->isGSM && !tickets.empty()) {
        if (const shell::MenuPtr popup = menu->subMenu(1)) {
            for (std::size_t n = 0; n < tickets.size(); ++n) {
                popup->insert(1, shell::MF_BYPOSITION, kCommandFirstTicket + static_cast<std::uint32_t>(n),
                              tickets[n].firstText);
            }
            popup->remove(kCommandNoTicket, shell::MF_BYCOMMAND);
        }
    } else {
        menu->remove(1, shell::MF_BYPOSITION);
    }
    if (context_.data->setHasTrainPosition(setIndex()) && context_.settings->isGSM && context_.settings->language == 0) {
        menu->insert(1, shell::MF_BYPOSITION, kCommandTrainPosition, loadResString(kTextPositionCaption));
    }
    if (!context_.settings->isGSM) menu->remove(kCommandSmsListing, shell::MF_BYCOMMAND);
    if (!context_.settings->isgps) menu->remove(kCommandNavigate, shell::MF_BYCOMMAND);
}

void cVypisVysledkuView::OnViewActivate() {
    list.hideHint();
    list.offersNavigation = context_.settings->isgps;
    adaptMenu();
    ui::setFocus(list.handle());
}

bool cVypisVysledkuView::Refresh() {
    list.SelectItem(0);
    return true;
}

void cVypisVysledkuView::Layout(unsigned, int width, int height) {
    if (width <= 0 || height <= 0) return;
    ui::moveWindow(list.handle(), 0, 0, width, height);
}

void cVypisVysledkuView::OnSetFocus() { ui::setFocus(list.handle()); }

MsgResult cVypisVysledkuView::OnResultOpen(std::uintptr_t, std::intptr_t) {
    openListing();
    return 0;
}

MsgResult cVypisVysledkuView::OnResultNext(std::uintptr_t, std::intptr_t) {
    stepLeg(true);
    return 0;
}

MsgResult cVypisVysledkuView::OnResultPrev(std::uintptr_t, std::intptr_t) {
    stepLeg(false);
    return 0;
}

MsgResult cVypisVysledkuView::OnDeviceActionDone(std::uintptr_t number, std::intptr_t result) {
    deviceActions.finish(number, result);
    return 0;
}

MsgResult cVypisVysledkuView::OnViewMoveFocus(std::uintptr_t wParam, std::intptr_t) {
    if (wParam == 1) {
        list.clearActiveItem();
        ui::setFocus(ui::getParent(ui::getParent(handle())));
    }
    return 0;
}

bool cVypisVysledkuView::routeCommand(std::uint32_t id, std::uint32_t code) {
    if (id >= kCommandFirstTicket && id <= kCommandLastTicket) {
        sendTicket(static_cast<int>(id - kCommandFirstTicket));
        return true;
    }
    switch (id) {
        case kCommandResultsBack:
            if (TabServices* tab = parentTabServices(handle())) tab->showView(kViewSearchForm, kOwnMenu);
            return true;
        case 57665: terminateProgram(); return true;
        case kCommandLater: findLaterOrEarlier(true); return true;
        case kCommandEarlier: findLaterOrEarlier(false); return true;
        case kCommandNotes: showNotes(); return true;
        case kCommandCalendar: addToCalendar(); return true;
        case kCommandSmsListing: askListing(); return true;
        case kCommandTrainPosition: requestTrainPosition(); return true;
        case kCommandNavigate:
            // From the row's context menu: the tab page navigates, as for its own menu.
            if (code == kRowMenuCode) {
                platform::sendMessage(ui::getParent(handle()), ui::WM_COMMAND, kCommandNavigate, 0);
                return true;
            }
            break;
        case kCommandChoiceOk:
        case kCommandChoiceCancel:
            if (choice_ && choice_->shown) {
                platform::sendMessage(choice_->handle(), ui::WM_COMMAND, id, 0);
                return true;
            }
            break;
        default: break;
    }
    return cBaseView::routeCommand(id, code);
}

const platform::ui::MessageMapBase& cVypisVysledkuView::messageMap() const {
    static const auto map = platform::ui::MessageMap<cVypisVysledkuView>(&cBaseView::messageMap())
                                .message(ui::WM_CREATE, &cVypisVysledkuView::OnCreate)
                                .message(ui::WM_SETFOCUS, &cVypisVysledkuView::OnSetFocus)
                                .message(WM_RESULT_OPEN, &cVypisVysledkuView::OnResultOpen)
                                .message(WM_RESULT_NEXT, &cVypisVysledkuView::OnResultNext)
                                .message(WM_RESULT_PREV, &cVypisVysledkuView::OnResultPrev)
                                .message(WM_MOVE_FOCUS, &cVypisVysledkuView::OnViewMoveFocus)
                                .message(WM_DEVICE_ACTION_DONE, &cVypisVysledkuView::OnDeviceActionDone);
    return map;
}

}  // namespace pelorvant
