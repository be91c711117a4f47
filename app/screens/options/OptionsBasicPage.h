#pragma once
// The page "Základní": language, tab strip, font size with a sample in the chosen size, and by
// kind of device the GSM module, finger control and GPS (touch screen) or the two kinds of
// keyboard (keypad). The first-run wizard shows it too.
#include "app/core/AppSettings.h"
#include "app/screens/options/OptionsChoiceRow.h"
#include "app/screens/options/OptionsPage.h"
#include "app/screens/options/OptionsValues.h"
#include "app/shell/ImageStatic.h"

#include <array>

namespace pelorvant {

inline constexpr std::uintptr_t kFontChoiceId = 2049;

class cOptionsBasicPage : public cOptionsPage {
public:
    // The settings must outlive the page.
    explicit cOptionsBasicPage(AppSettings& settings, int ownerViewId);

    // Shows the values; the wizard leaves finger control and GPS as they are.
    void loadValues(const OptionsValues& values, bool wizard);
    // The chosen values over `values`.
    void storeValues(OptionsValues& values, bool wizard) const;

    // Selects the row of a stored height and shows the sample in it.
    void setFontHeight(std::int32_t height);
    std::int32_t chosenFontHeight() const { return chosenHeight_; }

    void UpdateScrollLayout() override;
    void Layout(unsigned flags, int width, int height) override;

    cOptionsChoiceRow language;
    cOptionsChoiceRow tabs;
    cOptionsChoiceRow font;
    cOptionsChoiceRow gsm;
    cOptionsChoiceRow finger;
    cOptionsChoiceRow gps;
    cOptionsChoiceRow standardQwerty;
    cOptionsChoiceRow landscapeQwerty;
    cImageStatic fontSample;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnChoiceChanged(std::uintptr_t id, std::intptr_t);
    platform::MsgResult OnHelp(std::uintptr_t code, std::intptr_t);
    void OnFontChange();
    void OnSetFocus();
    // The font row chosen now: the sample follows it.
    void previewFontRow(int row);
    // The rows this kind of device shows, in focus order.
    std::vector<cOptionsChoiceRow*> shownRows();

    AppSettings& settings_;
    std::int32_t chosenHeight_ = 0;
};

}  // namespace pelorvant
