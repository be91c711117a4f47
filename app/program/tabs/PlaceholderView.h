#pragma once
// A view of the tab page whose screen is not in the program yet: it keeps the view's id,
// flags and window name, shows the view's title, and any command of its menu leads back to the
// timetable-set choice, so that the tab never ends in a screen without a way out.
#include "app/shell/BaseView.h"

#include <string>

namespace pelorvant {

class cPlaceholderView : public cBaseView {
public:
    cPlaceholderView(int viewId, std::u16string_view title, bool doneButton, bool showStrip)
        : cBaseView(doneButton, showStrip, false), viewId(viewId), title(title) {}

    int viewId;
    std::u16string title;

    const platform::ui::MessageMapBase& messageMap() const override;
    bool routeCommand(std::uint32_t id, std::uint32_t code) override;

private:
    void OnPaint();
};

}  // namespace pelorvant
