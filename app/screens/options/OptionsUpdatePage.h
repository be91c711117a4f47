#pragma once
// The page "Aktualizace": the updater started when the device is connected, also when the
// program is not running, and the notice of a new program version.
#include "app/screens/options/OptionsCheckRow.h"
#include "app/screens/options/OptionsPage.h"
#include "app/screens/options/OptionsValues.h"

namespace pelorvant {

inline constexpr std::uintptr_t kUpdaterCheckId = 2074;
inline constexpr std::uintptr_t kUpdaterStartsCheckId = 2075;
inline constexpr std::uintptr_t kAppUpdateCheckId = 2076;

class cOptionsUpdatePage : public cOptionsPage {
public:
    cOptionsUpdatePage();

    void loadValues(const OptionsValues& values);
    void storeValues(OptionsValues& values) const;

    void UpdateScrollLayout() override;
    void Layout(unsigned flags, int width, int height) override;

    cOptionsCheckRow updater;
    cOptionsCheckRow startsProgram;
    cOptionsCheckRow appUpdate;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnUpdaterClicked();
    void OnSetFocus();
};

}  // namespace pelorvant
