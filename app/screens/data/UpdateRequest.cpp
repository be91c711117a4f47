#include "app/screens/data/UpdateRequest.h"

#include "app/core/DateTexts.h"
#include "app/core/StartedForUpdate.h"
#include "app/core/UpdateCheckJob.h"
#include "app/core/UpdateInfo.h"
#include "app/screens/data/DataFrame.h"
#include "app/screens/progress/ProgressFormView.h"
#include "app/screens/progress/TabServices.h"
#include "app/screens/progress/WorkerThreads.h"
#include "app/shell/FatalError.h"
#include "app/shell/ViewTable.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"

namespace pelorvant {

namespace {

using platform::resources::loadResString;

constexpr std::uint32_t kTextAllCurrent = 292;
constexpr std::uint32_t kTextProgramTitle = 128;

void showInformation(std::u16string_view text) {
    platform::shell::messageBox(mainFrameWindow(), text, loadResString(kTextProgramTitle),
                                platform::shell::MB_OK | platform::shell::MB_ICONINFORMATION);
}

}  // namespace

void UpdateRequest::start(std::int32_t code, int returnView, TabServices& tab,
                          platform::WindowHandle asking, cDataFrame* dataView) {
    const CountryCommand command = updateCodeCommand(code);
    country_ = command.language;
    kind_ = command.kind;
    returnView_ = returnView;
    // The menu the tab shows now: the way back restores it (the wizard's, a set choice opened
    // from a loaded set).
    returnMenu_ = tab.shownMenu();
    // Kept with the request: the hand-over's flag is cleared before the check reports back.
    forUpdater_ = startedForUpdate();
    tab.showView(kViewProgress, kOwnMenu);
    if (kind_ == CountryUpdateKind::Detailed) {
        if (dataView != nullptr)
            dataView->ActivateView(country_, returnView_);
        return;
    }
    tab.progressView().startUpdateCheck(country_, forUpdater_, asking);
}

void UpdateRequest::done(bool fetched, TabServices& tab) {
    if (!fetched) {
        // Only the start-up run of the updater ends the program; a check handed over to the
        // running program returns the tab to where it was, without a word.
        if (returnView_ < 0) {
            terminateProgram();
            return;
        }
        const std::u16string failure = tab.progressView().updateCheckFailure();
        if (!forUpdater_ && !failure.empty())
            showInformation(failure);
        goBack(tab);
        return;
    }
    const EngineApi& api = *context_.api;
    const std::vector<std::int32_t> setIndexes =
        context_.data->GetIndexyHlavicekSestavy(tab.setIndex());
    const bool loadedOnly = kind_ == CountryUpdateKind::UpdateLoaded;
    const UpdateOffer updates = listTimetableUpdates(
        context_.settings->dataFolder / kUpdateInfoFileName, context_.data->headers(),
        loadedOnly ? &setIndexes : nullptr,
        [&api](std::int16_t day) { return dayNumberToDayMonthText(api, day); });
    if (!updates.rows.empty()) {
        std::vector<ChosenFile> files;
        for (const OfferedTimetable& row : updates.rows)
            files.push_back({row.name, row.sha256});
        tab.showView(kViewProgress, kOwnMenu);
        // Back where the request came from, with the menu shown there (goBack's way).
        tab.progressView().startDownload(std::move(files), updates.dir, returnView_, returnMenu_);
        return;
    }
    if (!loadedOnly) {
        rememberCheckDay();
        if (returnView_ < 0) {
            // The start-up's automatic update found nothing: the program has done its job.
            terminateProgram();
            return;
        }
    }
    if (!forUpdater_)
        showInformation(loadResString(kTextAllCurrent));
    goBack(tab);
}

void UpdateRequest::rememberCheckDay() {
    // Checked today with nothing to fetch: the updater need not ask again until tomorrow.
    const std::tm now = localNow();
    std::int16_t today = 0;
    if (context_.api->api_DatumToShortDen(now.tm_mday, now.tm_mon + 1, now.tm_year + 1900,
                                          &today) != ENGINE_OK)
        return;
    context_.settings->lastUpdateCheckDay = today;
    if (context_.registry != nullptr)
        context_.settings->saveState(context_.ini(), *context_.registry);
}

void UpdateRequest::goBack(TabServices& tab) const {
    if (returnView_ < 0) {
        tab.showView(kViewSetChoice, kOwnMenu);
        return;
    }
    tab.showView(returnView_, returnMenu_);
}

}  // namespace pelorvant
