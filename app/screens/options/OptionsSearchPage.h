#pragma once
// The page "<name>-parametry": the search parameters of one timetable of the tab's set. One page
// serves every timetable; it holds the record of the timetable shown last, or none.
#include "app/core/SetSearchParams.h"
#include "app/screens/options/OptionsChoiceRow.h"
#include "app/screens/options/OptionsPage.h"
#include "app/shell/PageHeading.h"

#include <array>

namespace pelorvant {

class cOptionsSearchPage : public cOptionsPage {
public:
    explicit cOptionsSearchPage(int ownerViewId);

    // Shows the record's edited values and holds it (not owned; it lives in TimetableData).
    void loadRecord(SetSearchParams& record);
    // Stores the choices into the held record, when there is one; then holds none.
    void storeRecord();
    void dropRecord() { record_ = nullptr; }
    bool holdsRecord() const { return record_ != nullptr; }

    void UpdateScrollLayout() override;
    void Layout(unsigned flags, int width, int height) override;

    // The page's tab title where no tab shows it (keypad devices).
    cPageHeading heading;
    cOptionsChoiceRow connections;
    cOptionsChoiceRow standardWindow;
    cOptionsChoiceRow maximumWindow;
    cOptionsChoiceRow transferAtVia;
    cOptionsChoiceRow minimumTransfer;
    cOptionsChoiceRow safeTransfer;
    cOptionsChoiceRow penalty;
    cOptionsChoiceRow transfers;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnHelp(std::uintptr_t code, std::intptr_t);
    void OnSetFocus();
    std::array<cOptionsChoiceRow*, 8> rows();

    SetSearchParams* record_ = nullptr;
};

}  // namespace pelorvant
