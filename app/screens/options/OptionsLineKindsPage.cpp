#include "app/screens/options/OptionsLineKindsPage.h"

#include "platform/resources/StringTable.h"

namespace pelorvant {

cOptionsLineKindsPage::cOptionsLineKindsPage()
    : cCheckListPage(platform::resources::loadResString(365)) {}

void cOptionsLineKindsPage::loadRecord(SetSearchParams& record) {
    record_ = &record;
    setRows(record.lineKindNames, record.allowedEdited);
}

void cOptionsLineKindsPage::storeRecord() {
    if (record_ == nullptr)
        return;
    const std::vector<bool> checked = checkedRows();
    for (std::size_t i = 0; i < record_->allowedEdited.size() && i < checked.size(); ++i) {
        record_->allowedEdited[i] = checked[i];
    }
    record_ = nullptr;
}

}  // namespace pelorvant
