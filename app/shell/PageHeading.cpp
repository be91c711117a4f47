#include "app/shell/PageHeading.h"

#include "app/core/LabelPlainText.h"
#include "app/shell/ShellSettings.h"

#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;

namespace {

// The title holds a timetable's name or the engine's validity text: shown, never read as
// markup.
std::u16string headingMarkup(const std::u16string& title) {
    return title.empty() ? std::u16string() : u"<*b*>" + plainLabelText(title) + u"<*b*>";
}

}  // namespace

bool cPageHeading::create(platform::WindowHandle page) {
    if (!label.createList(page, Rect{0, 0, 10, 10}, 0))
        return false;
    ui::showWindow(label.handle(), ui::SW_HIDE);
    return true;
}

void cPageHeading::setTitle(std::u16string title) {
    title_ = std::move(title);
    if (label.handle() == platform::kNullWindow)
        return;
    label.SetText(headingMarkup(title_));
    // The window's own text is the title as written, as for any other captioned window.
    ui::setWindowText(label.handle(), title_);
    ui::showWindow(label.handle(), title_.empty() ? ui::SW_HIDE : ui::SW_SHOW);
}

int cPageHeading::place(int top, int width, int offset) {
    if (title_.empty() || label.handle() == platform::kNullWindow)
        return top;
    const int fh = shellSettings().fontHeight();
    const int left = width * 2 / 100;
    const int w = std::max(1, width * 96 / 100);
    ui::moveWindow(label.handle(), left, top - offset, w, 3 * fh);
    label.SetText(headingMarkup(title_));
    const int h = std::max(label.GetTextHeight(), fh);
    ui::moveWindow(label.handle(), left, top - offset, w, h);
    return top + h + fh / 4;
}

}  // namespace pelorvant
