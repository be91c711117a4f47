#pragma once
// The page "Data": which installed timetables the program loads at start-up ("defaultTT").
#include "app/core/TimetableData.h"
#include "app/screens/options/CheckListPage.h"

#include <string>

namespace pelorvant {

class cOptionsDataPage : public cCheckListPage {
public:
    cOptionsDataPage();

    // One row per installed timetable; the names of `defaultTT` ("$"-separated) checked.
    void loadRows(const TimetableData& data, std::u16string_view defaultTT);
    // The titles of the checked rows joined by "$"; "-" when none is checked.
    std::u16string defaultTT() const;
};

}  // namespace pelorvant
