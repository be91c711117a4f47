#include "app/screens/progress/ProgressFormView.h"

#include "app/core/DateTexts.h"
#include "app/core/GpsReceiver.h"
#include "app/core/PrivateMessages.h"
#include "app/screens/progress/DownloadMessages.h"
#include "app/screens/progress/ProgressTexts.h"
#include "app/screens/progress/TabServices.h"
#include "app/screens/progress/WorkerThreads.h"
#include "app/shell/FatalError.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/RestartApplication.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/Controls.h"
#include "platform/controls/ProgressBar.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MessageBox.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <chrono>
#include <thread>

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr int kViewSetChoice = 4025;
constexpr int kViewResults = 4026;
constexpr int kViewSearchForm = 4028;
constexpr std::uint32_t kTextError = 162;
constexpr std::uint32_t kTextWarning = 344;
constexpr std::uint32_t kTextUnexpected = 279;
constexpr std::uint32_t kTextOutOfMemory = 280;

platform::WindowHandle topLevelOf(platform::WindowHandle window) {
    for (platform::WindowHandle parent = ui::getParent(window); parent != platform::kNullWindow;
         parent = ui::getParent(window)) {
        window = parent;
    }
    return window;
}

}  // namespace

cProgressFormView::cProgressFormView(ProgramContext& context)
    : cBaseView(false, true, false),
      restart([](std::u16string_view question) {
          restartApplication(question, mainFrameWindow(), false);
      }),
      context_(context) {}

cProgressFormView::~cProgressFormView() {
    if (worker_.joinable()) {
        downloadCancel_ = true;
        // The engine stops the running operation; a report to the gone window returns at once.
        if (context_.api != nullptr) {
            context_.api->api_CancelNacitani();
            context_.api->api_CancelHledani();
        }
        destroy();
        worker_.join();
    }
}

bool cProgressFormView::createProgressView(platform::WindowHandle tabPage, const Rect& rect) {
    if (!createView(tabPage, rect, kProgressViewId)) return false;
    ui::setWindowText(handle(), u"ProgressForm");
    return true;
}

MsgResult cProgressFormView::OnCreate(std::uintptr_t, std::intptr_t) {
    title.createList(handle(), Rect{0, 0, 10, 10}, 1001);
    details.createList(handle(), Rect{0, 0, 10, 10}, 1002);
    state.createList(handle(), Rect{0, 0, 10, 10}, 1003);
    ui::CreateParams p;
    p.className = std::string(platform::controls::kProgressBarClass);
    p.style = ui::WS_CHILD | ui::WS_VISIBLE;
    p.rect = Rect{0, 0, 10, 10};
    p.parent = handle();
    p.id = kProgressBarId;
    progressBar = ui::createWindow(p);
    platform::sendMessage(progressBar, platform::controls::PBM_SETRANGE32, 0, 100);
    return 0;
}

void cProgressFormView::Layout(unsigned flags, int width, int height) {
    if (flags & kLayoutSizeUnchanged) return;
    const auto place = [&](LayoutAnchor& anchor, platform::WindowHandle window) {
        const Rect r = anchor.place(0, 0, width, height);
        ui::moveWindow(window, r.left, r.top, r.width(), r.height());
    };
    place(titleAnchor, title.handle());
    place(barAnchor, progressBar);
    place(detailsAnchor, details.handle());
    place(stateAnchor, state.handle());
    title.SetText(title.markupText);
    details.SetText(details.markupText);
    state.SetText(state.markupText);
    ui::invalidateRect(handle());
}

int cProgressFormView::barPosition() const {
    return static_cast<int>(platform::sendMessage(progressBar, platform::controls::PBM_GETPOS, 0, 0));
}

void cProgressFormView::setBar(int position) {
    platform::sendMessage(progressBar, platform::controls::PBM_SETPOS, static_cast<std::uintptr_t>(position), 0);
}

void cProgressFormView::endLastOperation() {
    if (!worker_.joinable()) return;
    if (context_.api != nullptr) {
        if (mode_ == ProgressMode::Search) context_.api->api_CancelHledani();
        if (mode_ == ProgressMode::Loading) context_.api->api_CancelNacitani();
    }
    if (mode_ == ProgressMode::Download || mode_ == ProgressMode::UpdateCheck) downloadCancel_ = true;
    joinWorker();
}

void cProgressFormView::joinWorker() {
    if (!worker_.joinable()) return;
    while (!worker_.join(0)) {
        // Looking for a message answers the sent ones; the others stay where they are.
        platform::Message pending;
        platform::peekMessage(pending, platform::PeekMode::Keep);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void cProgressFormView::showTitle(std::uint32_t textId) {
    title.SetText(progressTitleMarkup(shellSettings().fontHeight(), loadResString(textId)));
}

void cProgressFormView::setDetailColumns(const std::vector<std::u16string>& left,
                                         const std::vector<std::u16string>& right) {
    if (left.size() != right.size()) return;
    const int fontHeight = shellSettings().fontHeight();
    std::u16string leftText;
    std::u16string rightText;
    details.SetText(leftText);
    state.SetText(rightText);
    for (std::size_t row = 0; row < left.size(); ++row) {
        leftText += left[row];
        rightText += right[row];
        details.SetText(leftText);
        state.SetText(rightText);
        // Every row starts at the same height in both columns. The padding line holds a no-break
        // space: a line break or a plain space alone at the end of a text adds no height yet.
        for (int guard = 0; guard < 64; ++guard) {
            const int l = details.GetTextHeight();
            const int r = state.GetTextHeight();
            if (l + fontHeight / 2 < r) {
                leftText += u"\r\u00A0";
                details.SetText(leftText);
            } else if (r + fontHeight / 2 < l) {
                rightText += u"\r\u00A0";
                state.SetText(rightText);
            } else {
                break;
            }
        }
    }
}

void cProgressFormView::showLoadingText(std::int32_t catalogueIndex) {
    showTitle(kTextLoadingTitle);
    const auto& headers = context_.data->headers();
    if (catalogueIndex < 0 || catalogueIndex >= static_cast<std::int32_t>(headers.size())) {
        setDetailColumns({}, {});
        return;
    }
    const LoadingDetails rows =
        loadingDetails(*context_.api, headers[static_cast<std::size_t>(catalogueIndex)], shellSettings().fontHeight());
    setDetailColumns(rows.left, rows.right);
}

void cProgressFormView::showSearchText(const cSearchJob& job) {
    showTitle(kTextSearchTitle);
    const SearchDetails rows = searchDetails(job, shellSettings().fontHeight());
    setDetailColumns(rows.left, rows.right);
}

void cProgressFormView::setJumpEnabled(bool enabled) {
    jumpEnabled_ = enabled;
    const platform::WindowHandle bar = platform::shell::findMenuBar(topLevelOf(handle()));
    if (const auto menu = platform::shell::menuBarMenu(bar)) {
        menu->enable(kCommandJump, platform::shell::MF_BYCOMMAND |
                                       (enabled ? platform::shell::MF_ENABLED : platform::shell::MF_GRAYED));
        platform::shell::refreshMenuBar(bar);
    }
}

void cProgressFormView::startLoading(std::unique_ptr<cLoadJob> job) {
    endLastOperation();
    mode_ = ProgressMode::Loading;
    context_.settings->idle = false;
    setBar(0);
    Layout(0, ui::getClientRect(handle()).width(), ui::getClientRect(handle()).height());
    showLoadingText(job->indexes.empty() ? -1 : job->indexes.front());
    job->window = handle();
    loadJob_ = std::move(job);
    const EngineApi& api = *context_.api;
    const std::shared_ptr<cLoadJob> running = loadJob_;
    const std::uint32_t run = ++run_;
    worker_ = platform::createThread([&api, running, run] { loadingThreadProc(api, *running, run); });
}

void cProgressFormView::startSearch(std::unique_ptr<cSearchJob> job) {
    endLastOperation();
    const EngineApi& api = *context_.api;
    context_.settings->idle = false;
    mode_ = ProgressMode::Search;
    searchCancelAsked_ = false;
    setBar(0);
    std::uint8_t done = 0;
    std::int32_t status = ENGINE_OK;
    if (job->mode == kSearchLater || job->mode == kSearchEarlier) {
        status = job->mode == kSearchLater ? api.api_NastavZadaniHledaniDalsi(job->set, job->resultId, &done)
                                           : api.api_NastavZadaniHledaniPredchozi(job->set, job->resultId, &done);
        job->returnView = kViewResults;
    } else {
        const std::time_t when = static_cast<std::time_t>(job->when);
        std::tm parts{};
        localtime_r(&when, &parts);
        std::int16_t day = 0;
        status = api.api_DatumToShortDen(parts.tm_mday, parts.tm_mon + 1, parts.tm_year + 1900, &day);
        if (status == ENGINE_OK) {
            status = api.api_NastavZadaniHledani(
                job->set, job->fromTriples.data(), static_cast<std::int32_t>(job->fromTriples.size()),
                job->fromLatitude, job->fromLongitude, job->toTriples.data(),
                static_cast<std::int32_t>(job->toTriples.size()), 0.0, 0.0, job->viaTriples.data(),
                static_cast<std::int32_t>(job->viaTriples.size()),
                static_cast<std::int16_t>(parts.tm_hour * 60 + parts.tm_min), day, job->maxTransfers, job->arrival,
                &done);
        }
        job->returnView = kViewSearchForm;
    }
    if (status != ENGINE_OK) {
        context_.settings->idle = true;
        mode_ = ProgressMode::None;
        engineFailure(status);
        return;
    }
    showSearchText(*job);
    job->window = handle();
    setJumpEnabled(false);
    auto holder = std::make_shared<std::unique_ptr<cSearchJob>>(std::move(job));
    const LocalClock clock = searchClock;
    searchOutcome_ = std::make_shared<cSearchOutcome>();
    const std::shared_ptr<cSearchOutcome> outcome = searchOutcome_;
    const std::uint32_t run = ++run_;
    worker_ = platform::createThread([&api, holder, clock, outcome, run] {
        searchThreadProc(api, std::move(*holder), clock, *outcome, run);
    });
}

MsgResult cProgressFormView::OnEngineProgress(std::uintptr_t percent, std::intptr_t) {
    if (percent <= 100) setBar(static_cast<int>(percent));
    return 0;
}

MsgResult cProgressFormView::OnEngineStart(std::uintptr_t what, std::intptr_t) {
    if (what == static_cast<std::uintptr_t>(ENGINE_START_SEARCH)) {
        showTitle(kTextSearchTitle);
        // The engine clears its cancel flag when the run starts: a "Storno" pressed while the
        // search was still being set up would be lost and the search would run to its end.
        if (mode_ == ProgressMode::Search && searchCancelAsked_) context_.api->api_CancelHledani();
    } else {
        showLoadingText(static_cast<std::int32_t>(what));
    }
    return 0;
}

MsgResult cProgressFormView::OnEngineFirstFound(std::uintptr_t, std::intptr_t) {
    setJumpEnabled(true);
    return 0;
}

void cProgressFormView::engineFailure(std::int32_t status) {
    const std::uint32_t text = status == ENGINE_OUT_OF_MEMORY ? kTextOutOfMemory : kTextUnexpected;
    platform::shell::messageBox(mainFrameWindow(), loadResString(text), loadResString(kTextError),
                                platform::shell::MB_OK | platform::shell::MB_ICONERROR);
    terminateProgram();
}

void cProgressFormView::showWarning(std::u16string_view text) {
    platform::shell::messageBox(mainFrameWindow(), text, loadResString(kTextWarning),
                                platform::shell::MB_OK | platform::shell::MB_ICONWARNING);
}

MsgResult cProgressFormView::OnLoadingDone(std::uintptr_t wParam, std::intptr_t lParam) {
    if (loadJob_ == nullptr || mode_ != ProgressMode::Loading || static_cast<std::uint32_t>(lParam) != run_) return 0;
    // The job is freed when the handling ends, whichever way it ends.
    const std::shared_ptr<cLoadJob> job = std::move(loadJob_);
    const auto set = static_cast<std::int32_t>(static_cast<std::intptr_t>(wParam));
    context_.settings->idle = true;
    mode_ = ProgressMode::None;
    TabServices* tab = parentTabServices(handle());
    if (job->engineResult < 0) {
        engineFailure(job->engineResult);
        return 0;  // the program is ending: nothing more of the set is used
    }
    if (set < ENGINE_LOAD_CANCELLED) {
        // A file the engine refuses is the file's fault: its name is shown and the program goes
        // on at the set choice, from where the file can be deleted or updated.
        const std::uint32_t text = loadStatusText(set);
        if (text == 0) {
            engineFailure(ENGINE_ERROR);
            return 0;
        }
        const auto& headers = context_.data->headers();
        std::u16string name;
        if (job->failingIndex >= 0 && job->failingIndex < static_cast<std::int32_t>(headers.size())) {
            name = headers[static_cast<std::size_t>(job->failingIndex)].title;
        }
        showWarning(fillName(loadResString(text), name));
    }
    if (tab == nullptr) return 0;
    if (set < 0) {
        tab->setSetIndex(-1);
        tab->showView(kViewSetChoice, -1);
        return 0;
    }
    tab->setSetIndex(set);
    tab->showView(kViewSearchForm, -1);
    tab->setTabTitle(context_.data->getSetName(set));
    context_.data->updateCategoryCounts(set);
    context_.data->applySetSearchParams(set);
    tab->setLoaded(set);
    return 0;
}

MsgResult cProgressFormView::OnSearchDone(std::uintptr_t wParam, std::intptr_t lParam) {
    if (searchOutcome_ == nullptr || reinterpret_cast<const cSearchOutcome*>(wParam) != searchOutcome_.get() ||
        mode_ != ProgressMode::Search || static_cast<std::uint32_t>(lParam) != run_) {
        return 0;
    }
    const cSearchOutcome outcome = *searchOutcome_;
    searchOutcome_.reset();
    context_.settings->idle = true;
    mode_ = ProgressMode::None;
    TabServices* tab = parentTabServices(handle());
    // A search the user cancelled goes back silently even when the engine finished it anyway
    // (a request answered from the stored results never looks at the cancel flag).
    const bool cancelled = outcome.threadStatus == kSearchCancelledStatus ||
                           (searchCancelAsked_ && outcome.threadStatus >= 0 && outcome.result >= 0);
    if (cancelled) {
        if (tab) tab->showView(outcome.returnView, -1);
        return 0;
    }
    if (outcome.threadStatus < 0) {
        engineFailure(outcome.threadStatus);
        return 0;
    }
    if (outcome.result >= 0) {
        if (tab) {
            tab->showResults(outcome.result);
            tab->showView(kViewResults, -1);
        }
        return 0;
    }
    if (outcome.result < ENGINE_SEARCH_CANCELLED) {
        const std::uint32_t text = searchStatusText(outcome.result);
        if (text == 0) {
            engineFailure(ENGINE_ERROR);
            return 0;
        }
        showWarning(loadResString(text));
    }
    if (tab) tab->showView(outcome.returnView, -1);
    return 0;
}

void cProgressFormView::menuCancelClick() {
    if (mode_ == ProgressMode::GpsWait) {
        if (context_.gps != nullptr)
            context_.gps->stop();
        endGpsWaitWithoutFix();
        return;
    }
    if (mode_ == ProgressMode::Loading)
        context_.api->api_CancelNacitani();
    if (mode_ == ProgressMode::Download || mode_ == ProgressMode::UpdateCheck) {
        downloadCancel_ = true;
        // A received timetable may be being read by the engine's check.
        if (mode_ == ProgressMode::Download)
            context_.api->api_CancelNacitani();
    }
}

void cProgressFormView::menuCancelSearchClick() {
    if (mode_ != ProgressMode::Search) return;
    searchCancelAsked_ = true;
    context_.api->api_CancelHledani();
}

void cProgressFormView::menuJumpClick() {
    if (mode_ == ProgressMode::Search && jumpEnabled_) context_.api->api_SkokNaVysledek();
}

const platform::ui::MessageMapBase& cProgressFormView::messageMap() const {
    static const auto map =
        platform::ui::MessageMap<cProgressFormView>(&cBaseView::messageMap())
            .message(ui::WM_CREATE, &cProgressFormView::OnCreate)
            .message(WM_ENGINE_PROGRESS, &cProgressFormView::OnEngineProgress)
            .message(WM_ENGINE_START, &cProgressFormView::OnEngineStart)
            .message(WM_ENGINE_FIRST_FOUND, &cProgressFormView::OnEngineFirstFound)
            .message(WM_LOADING_DONE, &cProgressFormView::OnLoadingDone)
            .message(WM_SEARCH_DONE, &cProgressFormView::OnSearchDone)
            .message(WM_DOWNLOAD_NEXTFILE, &cProgressFormView::OnDownloadNextFile)
            .message(WM_DOWNLOAD_DONE, &cProgressFormView::OnDownloadDone)
            .message(WM_UPDATECHECK_DONE, &cProgressFormView::OnUpdateCheckDone)
            .message(WM_DOWNLOAD_ASK_PAID, &cProgressFormView::OnAskPaidConnection)
            .message(WM_DOWNLOAD_CRITICAL, &cProgressFormView::OnCriticalError)
            .message(WM_GPS_POSITION, &cProgressFormView::OnGpsPosition)
            .message(WM_GPS_NOFIX, &cProgressFormView::OnGpsNoFix)
            .message(WM_GPS_STOPPED, &cProgressFormView::OnGpsStopped)
            .command(kCommandCancel, &cProgressFormView::menuCancelClick)
            .command(kCommandCancelSearch, &cProgressFormView::menuCancelSearchClick)
            .command(kCommandJump, &cProgressFormView::menuJumpClick);
    return map;
}

}  // namespace pelorvant
