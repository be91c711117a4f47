#pragma once
// The title a page shows at its top where no tab names it (keypad devices, whose forms switch
// pages through the menu): the page's tab title in bold, as written.
#include "app/shell/ImageLabel.h"

#include <string>

namespace pelorvant {

class cPageHeading {
public:
    // Creates the label, hidden, in the page.
    bool create(platform::WindowHandle page);
    // The title to show; "" shows none.
    void setTitle(std::u16string title);
    const std::u16string& title() const { return title_; }
    // Places the heading across a page `width` wide at content y `top`, shown at `top - offset`;
    // returns the y below it, a quarter font height further on (`top` itself without a title).
    int place(int top, int width, int offset);

    ImageLabel label{false};

private:
    std::u16string title_;
};

}  // namespace pelorvant
