#pragma once
// A data update asked for by a menu, by the start-up or by the updater's hand-over: the update
// check of one country on the progress view, and on its outcome the download of the timetables
// offered in a newer version (all installed ones, or those of the tab's set), a message that
// all is current, or the data view's detailed update. The asking view passes its
// WM_UPDATECHECK_DONE on to done().
#include "app/core/ProgramContext.h"
#include "app/screens/data/CountryUpdateItems.h"

#include "platform/core/Types.h"

#include <cstdint>

namespace pelorvant {

class cDataFrame;
class TabServices;

class UpdateRequest {
public:
    // The context must outlive the request.
    explicit UpdateRequest(ProgramContext& context) : context_(context) {}

    // Starts the request `code` (country identifier × 3 + kind; 0 is the first country's update
    // of all): the tab shows the progress view, and the detailed kind hands over to the data
    // view (not owned; nothing more happens when it is null), the other kinds start the update
    // check reporting to `asking`. returnView: the view the tab shows afterwards, or -1 for the
    // start-up's update, after which the program ends when there is nothing to fetch.
    void start(std::int32_t code, int returnView, TabServices& tab, platform::WindowHandle asking,
               cDataFrame* dataView);
    // The outcome of the update check (fetched: the update information was read).
    void done(bool fetched, TabServices& tab);

    std::int32_t country() const { return country_; }
    int returnView() const { return returnView_; }
    CountryUpdateKind kind() const { return kind_; }
    // The request came from the updater (start-up or hand-over): no message boxes; a failed
    // check ends the program only at the start-up (no return view).
    bool forUpdater() const { return forUpdater_; }

private:
    void rememberCheckDay();
    // Switches the tab back; with no return view the set choice.
    void goBack(TabServices& tab) const;

    ProgramContext& context_;
    std::int32_t country_ = 0;
    int returnView_ = -1;
    int returnMenu_ = -1;
    CountryUpdateKind kind_ = CountryUpdateKind::UpdateAll;
    bool forUpdater_ = false;
};

}  // namespace pelorvant
