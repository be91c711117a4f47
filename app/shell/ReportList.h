#pragma once
// A report-style list of text rows with check boxes when asked for: it keeps the row texts,
// scrolls sideways with Left and Right, hands the focus on at its first and last row
// (WM_MOVE_FOCUS to the parent), and tells which rows are checked.

#include "app/shell/LayoutAnchor.h"
#include "app/shell/SubclassedControl.h"

#include <string>
#include <vector>

namespace pelorvant {

class cReportList : public SubclassedControl {
public:
    // `kept` is a value the owner keeps with the list.
    explicit cReportList(int kept = 0) : kept(kept) {}

    // Creates the list (report view, the given style bits added) as a visible child.
    bool createReport(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id,
                      std::uint32_t style = 0);

    // Selects and focuses row n and scrolls it fully into view.
    void SelectItem(int row);
    void AddItem(int position, std::u16string text);
    void DeleteAllItems();
    // The indexes of the checked rows, in row order. With none checked, the selection mark
    // alone unless `noFallback` (then none; the mark is left out too when there is none).
    std::vector<int> GetCheckedItems(bool noFallback) const;

    LayoutAnchor anchor;
    std::vector<std::u16string> rowTexts;
    int kept = 0;

protected:
    platform::MsgResult onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
};

}  // namespace pelorvant
