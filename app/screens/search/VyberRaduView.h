#pragma once
// The timetable-set choice ("VyberRadu", the start view of every tab): a check list of the
// installed timetables; confirming stores the choice in "IndVybranehoRadu" and loads the
// checked timetables (or the selected one) as the tab's set on the progress view.
#include "app/core/ProgramContext.h"
#include "app/screens/data/DataExplorerFrame.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageStatic.h"
#include "app/shell/PictureBox.h"
#include "app/shell/ReportList.h"

#include <memory>
#include <string>

namespace pelorvant {

inline constexpr int kSetChoiceViewId = 4025;
inline constexpr std::uintptr_t kSetChoiceListId = 2034;
inline constexpr std::uint32_t kCommandSetChoiceOk = 32777;
inline constexpr std::uint32_t kCommandDataManagement = 32812;
inline constexpr std::uint32_t kCommandExit = 57665;
inline constexpr std::uint32_t kCommandSetChoiceCancel = 32811;
inline constexpr std::u16string_view kChosenSetKey = u"IndVybranehoRadu";

class cVyberRaduView : public cBaseView {
public:
    // The context must outlive the view.
    explicit cVyberRaduView(ProgramContext& context);

    // Creates the hidden view as a child of its tab page.
    bool createChoiceView(platform::WindowHandle tabPage, const Rect& rect);

    // Checks the rows of the "$"-separated names (all of them when several names or `checkAll`);
    // returns the first matching row, -1 when none matched.
    int CheckByNames(std::u16string_view names, bool checkAll);
    // Rescans the timetables, refills the list and marks the stored choice.
    void ReloadSets();
    // At start-up: loads "defaultTT", or the only timetable, without the user.
    void LoadDefaultSet();
    void menuOkClick();

    void Layout(unsigned flags, int width, int height) override;
    void OnViewActivate() override;

    // The installed-files view that "Správa dat" opens (not owned; set by the tab page).
    cDataExplorerFrame* dataExplorer = nullptr;

    std::unique_ptr<cPictureBox> logo;  // owned; null when the image is missing
    cImageStatic label;
    cReportList list;
    LayoutAnchor logoAnchor{{0, 5, 100, 31}};
    // Checked state of a row.
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    void menuDataClick();
    void menuExitClick();
    void menuCancelClick();
    platform::MsgResult OnListBoxReturn(std::uintptr_t, std::intptr_t);
    void OnListReturn(const platform::ui::NotifyHeader&, platform::MsgResult&);

    ProgramContext& context_;
};

}  // namespace pelorvant
