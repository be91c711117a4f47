#pragma once
// The search form of every tab: the connection-search page and the stop-timetable page, and
// the program's main menu (search, swap, categories, favourites, timetable change, navigation
// between the pages, data updates, help, About and the timetable information). Commands of a
// page go to the page that is active. The form also starts the data updates and acts on the
// outcome of their update check.
#include "app/core/ProgramContext.h"
#include "app/screens/stoptimetables/StopTimetableFormView.h"
#include "app/screens/data/UpdateRequest.h"
#include "app/screens/search/ZaklFormularView.h"
#include "app/shell/TabbedForm.h"

#include "platform/shell/Menu.h"

#include <string>

namespace pelorvant {

class cDataFrame;
class cImageMessageBoxView;
class cTextBoxPPCView;

inline constexpr std::uint32_t kCommandChangeTimetable = 308;
inline constexpr std::uint32_t kCommandSearchPage = 32824;
inline constexpr std::uint32_t kCommandNoCategory = 32900;
inline constexpr std::uint32_t kCommandLastCategory = 33300;
inline constexpr std::uint32_t kCommandHelp = 32796;
inline constexpr std::uint32_t kCommandAbout = 32795;
inline constexpr std::uint32_t kCommandAboutData = 32840;
inline constexpr std::uint32_t kCommandProgramExit = 57665;

// The local help page of a language setting: the program folder + "help/index" + (for any
// language but 0, its country code) + ".html".
std::string helpPagePath(const std::string& programFolder, std::int32_t language);

class cZaklFormularFrame : public cTabbedForm, public SearchFormHost {
public:
    // All references outlive the form.
    cZaklFormularFrame(ProgramContext& context, cImageMessageBoxView& messageView, cTextBoxPPCView& entryView);

    bool createForm(platform::WindowHandle tabPage, const Rect& rect);

    // After a set was loaded.
    void ResetSearchPage();
    void RefreshCategoryFilter();
    cZaklFormularView& searchPage() { return *searchPage_; }
    cStopTimetableFormView& stopTimetablePage() { return *stopPage_; }
    // Puts the stop-timetable page in front and the form into the tab, with the page's menu.
    void showStopTimetablePage();

    // Starts a data update: code = country identifier × 3 + kind (0 update all, 1 update the
    // loaded timetables, 2 the data view's detailed update); 0 is the first country's update of
    // all. returnView: the view shown afterwards; -1 for the start-up's update, which ends the
    // program when there is nothing to fetch.
    void startProgress(std::int32_t code, int returnView);
    const UpdateRequest& updateRequest() const { return updateRequest_; }
    // The view of the detailed update (not owned; set by the tab page).
    cDataFrame* dataView = nullptr;

    // The markup texts of the About and timetable-information commands.
    std::u16string aboutText() const;
    std::u16string timetableInfoText() const;

    void OnViewActivate() override;
    void Layout(unsigned flags, int width, int height) override;

    // SearchFormHost.
    int categoryFilter() const override { return categoryFilter_; }
    void setCategoryFilter(int index) override { categoryFilter_ = index; }
    int searchCategory() const override;
    void formCommand(std::uint32_t id) override;
    void takeTextBox(cTextBox& box) override;

    const platform::ui::MessageMapBase& messageMap() const override;
    bool routeCommand(std::uint32_t id, std::uint32_t code) override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    platform::shell::MenuPtr menuPopup() const;
    void fillCategoryPopup();
    // On a keypad device: the check marks of "Odjezd" and "Příjezd" follow the page's direction.
    void checkDirectionEntries();
    void chooseCategory(int index);
    void openHelp();
    void addStopTimetableEntries(const platform::shell::MenuPtr& menu);
    void addUpdateEntries(const platform::shell::MenuPtr& menu);
    platform::MsgResult OnUpdateCheckDone(std::uintptr_t fetched, std::intptr_t);
    void editMenuForStopTimetables(const platform::shell::MenuPtr& menu);
    void selectTimetable(std::int32_t fileIndex);
    bool routeStopTimetableCommand(std::uint32_t id);
    std::int32_t setIndex() const;

    ProgramContext& context_;
    cImageMessageBoxView& messageView_;
    cTextBoxPPCView& entryView_;
    cZaklFormularView* searchPage_ = nullptr;  // owned by the form's pages
    cStopTimetableFormView* stopPage_ = nullptr;  // owned by the form's pages
    int categoryFilter_ = 0;
    UpdateRequest updateRequest_;
};

}  // namespace pelorvant
