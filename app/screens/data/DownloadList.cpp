#include "app/screens/data/DownloadList.h"

namespace pelorvant {

void cDownloadList::buildList(const std::filesystem::path& updateInfoFile,
                              const std::vector<TimetableHeaderInfo>& headers,
                              const DayTextFunction& dayText) {
    offer = listNewTimetables(updateInfoFile, headers, dayText);
}

void cDownloadList::fill(cReportList& list) const {
    for (std::size_t i = 0; i < offer.rows.size(); ++i)
        list.AddItem(static_cast<int>(i), offer.rows[i].description);
}

}  // namespace pelorvant
