#pragma once
// The installed-files view ("DataExplorer"): a check list of the installed timetable files; the
// selected row's place and size are shown below it, and the marked files (or the selected one)
// are deleted after a confirmation. "Zpět" returns to the timetable-set choice, which lists
// the files anew when it is shown.
#include "app/screens/other/DataPage.h"

namespace pelorvant {

inline constexpr int kDataExplorerViewId = 4041;
inline constexpr std::uint32_t kCommandDeleteMarked = 32813;
inline constexpr std::uint32_t kCommandUpdateAll = 32814;

class cDataFrame;

class cDataExplorerFrame : public cDataPage {
public:
    // The context must outlive the view.
    explicit cDataExplorerFrame(ProgramContext& context) : cDataPage(context) {}

    // Creates the hidden view as a child of its tab page.
    bool createExplorerView(platform::WindowHandle tabPage, const Rect& rect);

    // One unchecked row per installed timetable (its title), row 0 selected.
    bool Refresh() override;
    // Asks, then deletes the checked files (the selected one when none is checked); the list
    // is built anew whatever the answer. A file that cannot be deleted stays listed.
    void DeleteMarked();

    void OnViewActivate() override;

    // The data view that "Aktualizace dat" opens (not owned; set by the tab page).
    cDataFrame* dataView = nullptr;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void OnItemChanged(const platform::ui::NotifyHeader& header, platform::MsgResult& result);
    void menuBackClick();
    void menuUpdateClick();
    void showDetails(int row);
};

}  // namespace pelorvant
