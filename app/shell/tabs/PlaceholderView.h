#pragma once
// A view of the tab page whose screen is not in the program yet: it keeps the view's id,
// flags and window name, and shows the view's title.
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

private:
    void OnPaint();
};

}  // namespace pelorvant
