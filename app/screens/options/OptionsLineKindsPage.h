#pragma once
// The page "<name>-linky": the kinds of lines a search in one timetable may use, as a check list.
// One page serves every timetable; it holds the record of the timetable shown last, or none.
#include "app/core/SetSearchParams.h"
#include "app/screens/options/CheckListPage.h"

namespace pelorvant {

class cOptionsLineKindsPage : public cCheckListPage {
public:
    cOptionsLineKindsPage();

    // Shows the record's line kinds and holds it (not owned; it lives in TimetableData).
    void loadRecord(SetSearchParams& record);
    // Stores the checks into the held record, when there is one; then holds none.
    void storeRecord();
    void dropRecord() { record_ = nullptr; }
    bool holdsRecord() const { return record_ != nullptr; }

private:
    SetSearchParams* record_ = nullptr;
};

}  // namespace pelorvant
