#pragma once
// The page "Pokročilé": the mobile operator, and on a touch screen the calendar entries (their
// category and two check boxes) and the commands of the three quick buttons.
#include "app/screens/options/OptionsCheckRow.h"
#include "app/screens/options/OptionsChoiceRow.h"
#include "app/screens/options/OptionsPage.h"
#include "app/screens/options/OptionsValues.h"
#include "app/shell/BackKeyEdit.h"

#include <array>

namespace pelorvant {

inline constexpr std::uintptr_t kCalendarEditCheckId = 2074;
inline constexpr std::uintptr_t kCalendarSaveCheckId = 2075;

class cOptionsOperatorPage : public cOptionsPage {
public:
    cOptionsOperatorPage(bool touchScreen, int ownerViewId);

    void loadValues(const OptionsValues& values);
    void storeValues(OptionsValues& values) const;

    void UpdateScrollLayout() override;
    void Layout(unsigned flags, int width, int height) override;

    cOptionsChoiceRow operatorChoice;
    LayoutAnchor categoryCaptionAnchor;
    ImageLabel categoryCaption{false};
    cBackKeyEdit category{2};
    std::unique_ptr<cImageStrip> categoryHelp;  // owned; null without its pictures
    cOptionsCheckRow calEdit;
    cOptionsCheckRow calSaveData;
    LayoutAnchor quickCaptionAnchor;
    ImageLabel quickCaption{false};
    std::array<cOptionsChoiceRow, 3> quick;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnHelp(std::uintptr_t code, std::intptr_t);
    void OnCalEditClicked();
    void OnSetFocus();

    bool touch_;
};

}  // namespace pelorvant
