#include "app/screens/data/UpdateList.h"

#include "app/core/HeaderLookup.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"

namespace pelorvant {

namespace controls = platform::controls;

void cUpdateList::Refresh(const std::filesystem::path& updateInfoFile,
                          const std::vector<TimetableHeaderInfo>& headers,
                          const DayTextFunction& dayText) {
    offer = listTimetableUpdates(updateInfoFile, headers, nullptr, dayText);
}

void cUpdateList::fill(cReportList& list, const std::vector<TimetableHeaderInfo>& headers) const {
    for (std::size_t i = 0; i < offer.rows.size(); ++i) {
        std::u16string text = offer.rows[i].description;
        const int header = findHeaderByName(headers, offer.rows[i].name);
        if (header >= 0)
            text = headers[static_cast<std::size_t>(header)].title;
        list.AddItem(static_cast<int>(i), text);
    }
    for (std::size_t i = 0; i < offer.rows.size(); ++i) {
        controls::ListItem item;
        item.state = controls::kStateChecked;
        item.stateMask = controls::LVIS_STATEIMAGEMASK;
        platform::sendMessage(list.handle(), controls::LVM_SETITEMSTATE, i,
                              reinterpret_cast<std::intptr_t>(&item));
    }
}

}  // namespace pelorvant
