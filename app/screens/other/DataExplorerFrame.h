#pragma once
// The installed-files view ("DataExplorer"): a check list of the installed timetable files; the
// selected row's place and size are shown below it, and the marked files (or the selected one)
// are deleted after a confirmation. "Zpět" returns to the timetable-set choice, which lists
// the files anew when it is shown. Its menu offers the update commands of each country.
#include "app/screens/other/DataPage.h"
#include "app/screens/other/UpdateRequest.h"

namespace pelorvant {

inline constexpr int kDataExplorerViewId = 4041;
inline constexpr std::uint32_t kCommandDeleteMarked = 32813;
inline constexpr std::uintptr_t kDeleteButtonId = 2056;

class cDataFrame;

class cDataExplorerFrame : public cDataPage {
public:
    // The context must outlive the view.
    explicit cDataExplorerFrame(ProgramContext& context);

    // Creates the hidden view as a child of its tab page.
    bool createExplorerView(platform::WindowHandle tabPage, const Rect& rect);

    // One unchecked row per installed timetable (its title), row 0 selected.
    bool Refresh() override;
    // Asks, then deletes the checked files (the selected one when none is checked); the list
    // is built anew whatever the answer. A file that cannot be deleted stays listed.
    void DeleteMarked();

    // Fills the popup "Aktualizace dat" of the fresh menu bar with the per-country items.
    void OnViewActivate() override;
    // A per-country item: "Detailní aktualizace" opens the data view for the country, and
    // "Aktualizovat vše" checks for updates and downloads every newer timetable; either returns
    // to this view.
    void countryCommandClick(std::uint32_t id);

    // The data view that "Aktualizace dat" opens (not owned; set by the tab page).
    cDataFrame* dataView = nullptr;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void OnItemChanged(const platform::ui::NotifyHeader& header, platform::MsgResult& result);
    void menuBackClick();
    platform::MsgResult OnUpdateCheckDone(std::uintptr_t fetched, std::intptr_t);
    void fillUpdatePopup();
    void showDetails(int row);

    UpdateRequest updateRequest_;
};

}  // namespace pelorvant
