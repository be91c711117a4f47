#pragma once
// The installed-files view ("DataExplorer"): a check list of the installed timetable files; the
// selected row's place and size are shown below it, and the marked files (or the selected one)
// are deleted after a confirmation. "Zpět" returns to the timetable-set choice, which lists
// the files anew when it is shown.
#include "app/core/ProgramContext.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ReportList.h"

namespace pelorvant {

inline constexpr int kDataExplorerViewId = 4041;
inline constexpr std::uintptr_t kDataFileListId = 2034;
inline constexpr std::uint32_t kCommandDeleteMarked = 32813;
inline constexpr std::uint32_t kCommandBack = 32786;
inline constexpr std::uint32_t kCommandUpdateAll = 32814;

class cDataFrame;

class cDataExplorerFrame : public cBaseView {
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

    void Layout(unsigned flags, int width, int height) override;
    void OnViewActivate() override;

    // The data view that "Aktualizace dat" opens (not owned; set by the tab page).
    cDataFrame* dataView = nullptr;
    cReportList list;
    ImageLabel caption{false};
    LayoutAnchor captionAnchor;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    void OnItemChanged(const platform::ui::NotifyHeader& header, platform::MsgResult& result);
    void menuBackClick();
    void menuUpdateClick();
    void showDetails(int row);

    ProgramContext& context_;
};

}  // namespace pelorvant
