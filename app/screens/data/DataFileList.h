#pragma once
// The page of the installed-files view (cDataFileList): a check list of the installed timetable
// files, the selected row's place and size shown below it; the marked files (or the selected
// one) are deleted after a confirmation.
#include "app/screens/data/DataPage.h"

namespace pelorvant {

inline constexpr std::uint32_t kCommandDeleteMarked = 32813;
inline constexpr std::uintptr_t kDeleteButtonId = 2056;

class cDataFileList : public cDataPage {
public:
    // The context must outlive the page.
    explicit cDataFileList(ProgramContext& context);

    // One unchecked row per installed timetable (its title), row 0 selected.
    bool Refresh() override;
    // Asks, then deletes the checked files (the selected one when none is checked); the list
    // is built anew whatever the answer. A file that cannot be deleted stays listed.
    void DeleteMarked();

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void OnItemChanged(const platform::ui::NotifyHeader& header, platform::MsgResult& result);
    void showDetails(int row);
};

}  // namespace pelorvant
