// The progress view's download and update-check modes: the jobs are built from copies of the
// settings and headers on the user-interface thread, run on the worker thread, and their
// reports handled here.
#include "app/core/CountryTables.h"
#include "app/core/DownloadCodes.h"
#include "app/core/DownloadJob.h"
#include "app/core/FileUtils.h"
#include "app/core/PrivateMessages.h"
#include "app/core/ServerNames.h"
#include "app/core/TextConversion.h"
#include "app/core/UpdateAddresses.h"
#include "app/core/UpdateCheckJob.h"
#include "app/screens/progress/DownloadMessages.h"
#include "app/screens/progress/ProgressFormView.h"
#include "app/screens/progress/ProgressTexts.h"
#include "app/screens/progress/TabServices.h"
#include "app/screens/progress/TransferFailureTexts.h"
#include "app/shell/FatalError.h"
#include "app/shell/ShellSettings.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/services/http/HttpClient.h"
#include "platform/services/network/Connectivity.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"

namespace pelorvant {
namespace {

using platform::MsgResult;
using platform::resources::loadResString;

constexpr int kViewSetChoice = 4025;
constexpr std::uint32_t kTextDownloading = 296;
constexpr std::uint32_t kTextCheckingUpdates = 335;
constexpr std::uint32_t kTextRestartAfterUpdate = 298;
constexpr std::uint32_t kTextNotFound = 363;
constexpr std::uint32_t kTextPaidConnection = 289;
constexpr std::uint32_t kTextWarning = 344;
constexpr std::uint32_t kTextCriticalCaption = 12315;
constexpr std::uint32_t kTextCritical = 12316;

// The services of one job, made on the worker thread and gone with it.
template <typename Work>
void withServices(const std::atomic<bool>& cancel, Work work) {
    auto http = platform::services::makeCurlHttpClient();
    auto network = platform::services::makeNetworkManagerConnectivity();
    DownloadServices services{*http, *network, cancel, [](const std::filesystem::path& folder) {
                                  return getFreeSpace(folder);
                              }};
    work(services);
}

TransferSettings transferSettings(const AppSettings& settings, bool mayAsk) {
    return {static_cast<std::size_t>(std::max(settings.downloadbuffer, 1024)), toUtf8(settings.internetproxy), mayAsk};
}

}  // namespace

void cProgressFormView::showDownloadTitle(std::u16string_view name) {
    title.SetText(progressTitleMarkup(shellSettings().fontHeight(),
                                      loadResString(kTextDownloading) + u" " + std::u16string(name)));
}

void cProgressFormView::startDownload(std::vector<ChosenFile> files, std::u16string_view dir, int returnView,
                                      int returnMenu) {
    endLastOperation();
    const AppSettings& settings = *context_.settings;
    auto job = std::make_shared<DownloadJob>();
    job->files = std::move(files);
    job->serverFolder = serverFolderAddress(dir, updateInformationUrl(settings.language));
    job->downloadFolder = settings.downloadFolder.empty() ? settings.dataFolder : settings.downloadFolder;
    for (const auto& header : context_.data->headers()) {
        job->installed.push_back({header.title, std::filesystem::path(toUtf8(header.fileName))});
    }
    job->transfer = transferSettings(settings, true);
    const TimetableData& data = *context_.data;
    const platform::WindowHandle view = handle();
    // On the worker, while the idle flag keeps every other engine operation away.
    job->checkTimetable = [&data, view](const std::filesystem::path& file) {
        return data.checkTimetableFile(file, view);
    };
    mode_ = ProgressMode::Download;
    downloadReturnView_ = returnView;
    downloadReturnMenu_ = returnView >= 0 ? returnMenu : -1;
    downloadCancel_ = false;
    context_.settings->idle = false;
    setBar(0);
    setDetailColumns({}, {});
    showDownloadTitle(job->files.empty() ? u"" : job->files.front().name);
    const platform::WindowHandle window = handle();
    std::atomic<bool>& cancel = downloadCancel_;
    downloadEnd_ = std::make_shared<DownloadEnd>();
    worker_ = platform::createThread([job, window, &cancel, end = downloadEnd_] {
        WindowDownloadReporter reporter(window, end);
        withServices(cancel, [&](DownloadServices& services) { runDownloadJob(*job, services, reporter); });
    });
}

void cProgressFormView::startUpdateCheck(std::int32_t language, bool forUpdater, platform::WindowHandle asking) {
    endLastOperation();
    const AppSettings& settings = *context_.settings;
    auto job = std::make_shared<UpdateCheckJob>();
    job->updateInfoAddress = updateInformationUrl(language);
    job->programVersionAddress = programVersionUrl();
    job->dataFolder = settings.dataFolder;
    job->transfer = transferSettings(settings, !forUpdater);
    mode_ = ProgressMode::UpdateCheck;
    updateAsking_ = asking;
    updateForUpdater_ = forUpdater;
    updateInfoUrl_ = job->updateInfoAddress;
    downloadCancel_ = false;
    context_.settings->idle = false;
    setBar(0);
    // The check has no details: the previous operation's must not stay on screen.
    setDetailColumns({}, {});
    title.SetText(
        progressTitleMarkup(shellSettings().fontHeight(), loadResString(kTextCheckingUpdates)));
    const platform::WindowHandle window = handle();
    std::atomic<bool>& cancel = downloadCancel_;
    worker_ = platform::createThread([job, window, &cancel] {
        WindowDownloadReporter reporter(window);
        withServices(cancel, [&](DownloadServices& services) { runUpdateCheck(*job, services, reporter); });
    });
}

MsgResult cProgressFormView::OnDownloadNextFile(std::uintptr_t name, std::intptr_t) {
    setBar(0);
    if (name != 0) showDownloadTitle(*reinterpret_cast<const std::u16string*>(name));
    return 0;
}

MsgResult cProgressFormView::OnDownloadDone(std::uintptr_t, std::intptr_t lParam) {
    if (mode_ != ProgressMode::Download || downloadEnd_ == nullptr ||
        reinterpret_cast<const DownloadEnd*>(lParam) != downloadEnd_.get()) {
        return 0;
    }
    const DownloadEnd end = *downloadEnd_;
    downloadEnd_.reset();
    const std::int64_t code = end.code;
    const std::u16string& failed = end.failedName;
    mode_ = ProgressMode::None;
    context_.settings->idle = true;
    if (TabServices* tab = parentTabServices(handle())) {
        tab->showView(downloadReturnView_ >= 0 ? downloadReturnView_ : kViewSetChoice, downloadReturnMenu_);
    }
    if (code >= 0) {
        const std::tm now = searchClock();
        std::int16_t today = 0;
        if (context_.api->api_DatumToShortDen(now.tm_mday, now.tm_mon + 1, now.tm_year + 1900, &today) == ENGINE_OK) {
            context_.settings->lastUpdateCheckDay = today;
        }
        // The restart ends this process at once, without the shut-down that would save it.
        if (context_.registry != nullptr) context_.settings->saveState(context_.ini(), *context_.registry);
        if (downloadReturnView_ < 0) {
            terminateProgram();
        } else if (restart) {
            restart(loadResString(kTextRestartAfterUpdate));
        }
        return 0;
    }
    const std::u16string text = downloadFailureMessage(code, failed);
    if (!text.empty()) {
        platform::shell::messageBox(mainFrameWindow(), text, loadResString(kTextWarning),
                                    platform::shell::MB_OK | platform::shell::MB_ICONWARNING);
    }
    return 0;
}

MsgResult cProgressFormView::OnUpdateCheckDone(std::uintptr_t wParam, std::intptr_t lParam) {
    if (mode_ != ProgressMode::UpdateCheck) return 0;
    joinWorker();
    mode_ = ProgressMode::None;
    context_.settings->idle = true;
    const auto updateInfo = static_cast<std::int64_t>(wParam);
    const auto programVersion = static_cast<std::int64_t>(lParam);
    std::uintptr_t result = 0;
    updateCheckFailure_.clear();
    if (updateInfo == kDownloadNotFound) {
        if (!updateForUpdater_) {
            platform::shell::messageBox(mainFrameWindow(), fillName(loadResString(kTextNotFound), fromUtf8(updateInfoUrl_)),
                                        loadResString(kTextWarning),
                                        platform::shell::MB_OK | platform::shell::MB_ICONWARNING);
        }
    } else if (updateInfo >= 0) {
        result = !context_.settings->checkAppAct || programVersion >= 0 ? 1 : 0;
    }
    if (result == 0)
        updateCheckFailure_ = updateCheckFailureMessage(updateInfo, programVersion);
    if (updateAsking_ != platform::kNullWindow)
        platform::sendMessage(updateAsking_, WM_UPDATECHECK_DONE, result, 0);
    return 0;
}

MsgResult cProgressFormView::OnAskPaidConnection(std::uintptr_t, std::intptr_t) {
    const int answer = platform::shell::messageBox(mainFrameWindow(), loadResString(kTextPaidConnection), u"",
                                                   platform::shell::MB_YESNO | platform::shell::MB_ICONQUESTION);
    return answer == platform::shell::IDYES ? 1 : 0;
}

MsgResult cProgressFormView::OnCriticalError(std::uintptr_t, std::intptr_t) {
    platform::shell::messageBox(mainFrameWindow(), loadResString(kTextCritical), loadResString(kTextCriticalCaption),
                                platform::shell::MB_OK | platform::shell::MB_ICONERROR);
    return 0;
}

}  // namespace pelorvant
