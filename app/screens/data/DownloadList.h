#pragma once
// The second page of the data view, "Stažení nových dat" (cDownloadList): the timetables that
// the fetched update information offers and that are not installed, listed by their
// descriptions, none checked.
#include "app/core/UpdateInfo.h"
#include "app/shell/ReportList.h"

namespace pelorvant {

class cDownloadList {
public:
    // Reads the page's offer anew from the fetched update information.
    void buildList(const std::filesystem::path& updateInfoFile,
                   const std::vector<TimetableHeaderInfo>& headers, const DayTextFunction& dayText);
    // Adds one unchecked row per offered timetable to the empty list.
    void fill(cReportList& list) const;

    UpdateOffer offer;
};

}  // namespace pelorvant
