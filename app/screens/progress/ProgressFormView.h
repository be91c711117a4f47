#pragma once
// The progress view of a tab: it starts a long operation on a worker thread, shows what is
// being done with a bar fed by the engine's messages, offers cancel and "jump" commands, and
// on the worker's done message (handled on the user-interface thread) maps the outcome to a
// message and switches the tab on.
#include "app/core/DownloadJob.h"
#include "app/core/ProgramContext.h"
#include "app/screens/progress/DownloadMessages.h"
#include "app/screens/progress/Jobs.h"
#include "app/screens/progress/WorkerThreads.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageLabel.h"

#include "platform/core/Thread.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr int kProgressViewId = 4029;
inline constexpr int kProgressMenu = 150;        // "Storno"
inline constexpr int kProgressSearchMenu = 151;  // "Storno", "Zobrazit"
inline constexpr std::uint32_t kCommandCancel = 32808;
inline constexpr std::uint32_t kCommandCancelSearch = 32809;
inline constexpr std::uint32_t kCommandJump = 32810;
inline constexpr std::uintptr_t kProgressBarId = 1000;

enum class ProgressMode { None = 0, Loading = 1, Download = 2, UpdateCheck = 3, GpsWait = 4, Search = 5 };

class cProgressFormView : public cBaseView {
public:
    // The context must outlive the view.
    explicit cProgressFormView(ProgramContext& context);
    // Stops a running operation and waits for its thread.
    ~cProgressFormView() override;

    // Creates the hidden view as a child of its tab page.
    bool createProgressView(platform::WindowHandle tabPage, const Rect& rect);

    // Starts loading the job's set on a worker thread; the view owns the job from now on.
    void startLoading(std::unique_ptr<cLoadJob> job);
    // Sets the request up and starts the search on a worker thread, which owns the job.
    void startSearch(std::unique_ptr<cSearchJob> job);

    // Downloads the chosen timetables (each with the digest the update information gives for
    // it) on a worker thread from the server folder "dir" (checked;
    // "" takes the folder of the update information); afterwards the tab shows returnView
    // (-1: the set choice, and a success ends the program instead of restarting it) with the
    // menu bar returnMenu (-1: the view's own), so a view that showed another menu before the
    // download (the set choice opened over a loaded set, with its way back) shows it again.
    void startDownload(std::vector<ChosenFile> files, std::u16string_view dir, int returnView,
                       int returnMenu = -1);
    // Fetches the update information for the language on a worker thread; the view `asking`
    // then gets WM_UPDATECHECK_DONE (wParam 1 fetched, 0 not). forUpdater: the updater started
    // the program, so nothing asks before a paid connection and no box is shown.
    void startUpdateCheck(std::int32_t language, bool forUpdater, platform::WindowHandle asking);
    // What the view that asked for the last update check tells the user when the check failed:
    // "" when it is to stay silent (cancelled, or the missing file was already named).
    const std::u16string& updateCheckFailure() const { return updateCheckFailure_; }
    // The restart after new timetables, asking the question first (text 298).
    std::function<void(std::u16string_view question)> restart;
    // Waits for a GPS fix for the view `viewId` of the tab (its window `waiting`): the receiver
    // starts and this view shows what it waits for. The first fix (at once when one is known)
    // shows that view again and reaches its window as WM_GPS_POSITION, whose position the
    // window then owns. A receiver that gives up is reported (text 432); it and "Storno" go
    // back to that view, whose window then gets WM_GPS_STOPPED.
    void startGpsWait(int viewId, platform::WindowHandle waiting);

    // Both lists must have the same count; else nothing happens.
    void setDetailColumns(const std::vector<std::u16string>& left, const std::vector<std::u16string>& right);
    void showLoadingText(std::int32_t catalogueIndex);

    void Layout(unsigned flags, int width, int height) override;

    ProgressMode mode() const { return mode_; }
    bool jumpEnabled() const { return jumpEnabled_; }
    int barPosition() const;
    // Waits for the worker thread of the last operation to end (tests, shut-down), answering
    // what workers send to this thread's windows meanwhile: a worker that tells the view
    // something before it ends is never left waiting for this very thread.
    void joinWorker();

    // The local time a search runs at (tests set their own).
    LocalClock searchClock = localNow;

    ImageLabel title{false};
    ImageLabel details{false};
    ImageLabel state{false};
    platform::WindowHandle progressBar = platform::kNullWindow;
    LayoutAnchor titleAnchor{{3, 4, 97, 20}, {3, 4, 97, 22}};
    LayoutAnchor barAnchor{{3, 24, 97, 32}, {3, 26, 97, 36}};
    LayoutAnchor detailsAnchor{{3, 40, 35, 90}, {10, 40, 35, 90}};
    LayoutAnchor stateAnchor{{36, 40, 99, 90}};

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnEngineProgress(std::uintptr_t percent, std::intptr_t);
    platform::MsgResult OnEngineStart(std::uintptr_t what, std::intptr_t);
    platform::MsgResult OnEngineFirstFound(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnLoadingDone(std::uintptr_t set, std::intptr_t run);
    platform::MsgResult OnSearchDone(std::uintptr_t outcome, std::intptr_t run);
    platform::MsgResult OnDownloadNextFile(std::uintptr_t name, std::intptr_t);
    platform::MsgResult OnDownloadDone(std::uintptr_t code, std::intptr_t failedName);
    platform::MsgResult OnUpdateCheckDone(std::uintptr_t updateInfo, std::intptr_t programVersion);
    platform::MsgResult OnAskPaidConnection(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnCriticalError(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnGpsPosition(std::uintptr_t position, std::intptr_t);
    platform::MsgResult OnGpsNoFix(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnGpsStopped(std::uintptr_t, std::intptr_t);
    // Before a new operation: the last one, when it still runs, is cancelled (the new one
    // replaces it) and its thread waited for.
    void endLastOperation();
    void showGpsWaitText(bool deviceFound);
    // The wait is over without a fix: back to the view that waited, which hears of it.
    void endGpsWaitWithoutFix();
    // Ends the wait's mode and gives the window that waited.
    platform::WindowHandle leaveGpsWait();
    void showViewThatWaited();
    void showDownloadTitle(std::u16string_view name);
    void menuCancelClick();
    void menuCancelSearchClick();
    void menuJumpClick();
    void setBar(int position);
    void setJumpEnabled(bool enabled);
    void showSearchText(const cSearchJob& job);
    void showTitle(std::uint32_t textId);
    // A failing engine call: box 280 (out of memory) or 279, then the program ends.
    void engineFailure(std::int32_t status);
    void showWarning(std::u16string_view text);

    ProgramContext& context_;
    ProgressMode mode_ = ProgressMode::None;
    bool jumpEnabled_ = false;
    // "Storno" was pressed during the running search; read and written on the interface thread.
    bool searchCancelAsked_ = false;
    std::shared_ptr<cLoadJob> loadJob_;
    std::shared_ptr<cSearchOutcome> searchOutcome_;
    std::shared_ptr<DownloadEnd> downloadEnd_;
    // Numbers the loads and searches: a done message of an earlier run is not this run's end.
    std::uint32_t run_ = 0;
    platform::Thread worker_;
    // Set by the cancel command and by the destructor; read by a download after every block.
    std::atomic<bool> downloadCancel_{false};
    int downloadReturnView_ = -1;
    int downloadReturnMenu_ = -1;
    platform::WindowHandle updateAsking_ = platform::kNullWindow;
    bool updateForUpdater_ = false;
    std::string updateInfoUrl_;
    std::u16string updateCheckFailure_;
    // The view waiting for a GPS fix and its window.
    int gpsWaitView_ = 0;
    platform::WindowHandle gpsWaiting_ = platform::kNullWindow;
};

}  // namespace pelorvant
