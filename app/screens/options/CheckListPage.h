#pragma once
// A settings page of one caption above a list of names with check boxes: the timetables to
// load at start-up, and the line kinds a search may use.
#include "app/shell/PageHeading.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ReportList.h"

#include <string>
#include <vector>

namespace pelorvant {

inline constexpr std::uintptr_t kCheckListId = 2034;

class cCheckListPage : public cBaseView {
public:
    explicit cCheckListPage(std::u16string caption);

    // Creates the hidden page as a child of its form.
    bool createPage(WindowHandle form);

    // Replaces the rows, each checked as given; row 0 is selected.
    void setRows(const std::vector<std::u16string>& names, const std::vector<bool>& checked);
    std::vector<bool> checkedRows() const;
    void setChecked(int row, bool checked);
    int rowCount() const { return static_cast<int>(list.rowTexts.size()); }

    int ResetFocus() override;
    void Layout(unsigned flags, int width, int height) override;

    // The page's tab title where no tab shows it (keypad devices); none unless set.
    cPageHeading heading;
    LayoutAnchor captionAnchor;
    ImageLabel caption{false};
    cReportList list;
    std::u16string captionText;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
};

}  // namespace pelorvant
