#include "app/shell/ViewTable.h"

namespace pelorvant {
namespace {

constexpr ViewTableRow kRows[] = {
    {kViewResults, u"VypisVysledku", 130, 130},
    {kViewMessageBox, u"ImageMessageBox", 131, 131},
    {kViewSetChoice, u"VyberRadu", 128, 128},
    {kViewSearchForm, u"ZaklFormular", 1053, 132},
    {kViewProgress, u"ProgressForm", 150, 150},
    {kViewListing, u"VypisSpoje", 131, 131},
    {kViewTextBoxPPC, u"TextBoxPPC", 1057, 1057},
    {kViewData, u"Data", 351, 352},
    {kViewDataExplorer, u"DataExplorer", 304, 304},
    {kViewStopTimetable, u"ZJRShowFrame", 1056, 1056},
    {kViewGpsNavigation, u"GPSNavigForm", 131, 131},
};

}  // namespace

std::span<const ViewTableRow> viewTable() { return kRows; }

std::optional<ViewTableRow> findViewRow(int viewId) {
    for (const ViewTableRow& row : kRows) {
        if (row.viewId == viewId) return row;
    }
    return std::nullopt;
}

int viewMenu(const ViewTableRow& row, bool isNotSmartphone) {
    return isNotSmartphone ? row.touchMenu : row.keypadMenu;
}

}  // namespace pelorvant
