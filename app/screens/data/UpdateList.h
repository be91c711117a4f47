#pragma once
// The first page of the data view, "Aktualizace" (cUpdateList): the installed timetables of
// which the fetched update information offers a newer version, listed by their installed
// titles and all checked, so that one tap updates everything.
#include "app/core/UpdateInfo.h"
#include "app/shell/ReportList.h"

namespace pelorvant {

class cUpdateList {
public:
    // Reads the page's offer anew from the fetched update information.
    void Refresh(const std::filesystem::path& updateInfoFile,
                 const std::vector<TimetableHeaderInfo>& headers, const DayTextFunction& dayText);
    // Adds one checked row per offered update to the empty list.
    void fill(cReportList& list, const std::vector<TimetableHeaderInfo>& headers) const;

    UpdateOffer offer;
};

}  // namespace pelorvant
