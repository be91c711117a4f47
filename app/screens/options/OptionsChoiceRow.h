#pragma once
// One row of a settings page: a caption above a choice box (or beside it), and on a touch
// screen a help button beside the choice. What the choice shows is what the row gives back.
#include "app/screens/options/ChoiceTables.h"
#include "app/shell/ChoiceBox.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ImageStrip.h"
#include "app/shell/LayoutAnchor.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pelorvant {

class cBaseView;
class cImageMessageBoxView;

// "%d" in a caption stands for the font height ("<*%d*>" sets the caption's size).
std::u16string formatCaption(std::u16string_view caption, int fontHeight);

// Places a caption across the page (2 % to 98 % of `width`) at content y `top`, shown at
// `top - offset`, as tall as its text; records its content rectangle in `anchor` and returns its
// bottom.
int placeCaption(ImageLabel& caption, LayoutAnchor& anchor, std::u16string_view text, int top,
                 int width, int offset);

struct RowPlacement {
    int left = 7;    // percent of the width
    int right = 40;  // percent of the width
    // The caption stands at `left` on the choice's line (a short label such as "1."), and the
    // choice follows it; otherwise the caption spans the page above the choice.
    bool captionBeside = false;
};

class cOptionsChoiceRow {
public:
    // Without a caption the choice stands alone; a help code of -1 gives no help button.
    cOptionsChoiceRow(int focusOrder, int ownerViewId, std::u16string caption, int helpCode,
                      RowPlacement placement = {});

    // Creates the controls in `page` and adds the choice to its focus order. The keypad's full
    // list is shown in `listView` (not owned), which puts up `returnMenu` while it is open.
    void create(cBaseView& page, std::uintptr_t choiceId, cImageMessageBoxView* listView,
                int returnMenu);
    void setItems(const std::vector<std::u16string>& items);
    void setRows(std::span<const ChoiceRow> rows);

    // Places the caption at content y `top` and the choice below it within `width`; the page
    // shows content y at `top - offset`. Returns the choice's bottom in content coordinates.
    int place(int top, int width, int offset);

    // Shows the row of a stored value from a value table (the first row at or above it, else
    // 0); `value()` gives back the value of the row shown.
    void showValue(std::span<const ChoiceRow> rows, std::int32_t stored);
    std::int32_t value(std::span<const ChoiceRow> rows) const;
    // The same for a row index stored as such (0 when out of range).
    void showIndex(std::int32_t stored);
    std::int32_t index() const;

    void select(int row) { choice.SetCurSel(row); }
    int selected() const { return choice.GetCurSel(); }
    // The window that takes the focus: the combo on a touch screen, else the box.
    platform::WindowHandle focusWindow() const;
    void show(bool visible);

    LayoutAnchor captionAnchor;
    ImageLabel caption{false};
    cChoiceBox choice;
    std::unique_ptr<cImageStrip> help;  // owned; only on a touch screen with a help code
    std::u16string captionText;
    int helpCode = -1;
    RowPlacement placement;

private:
    // Places the caption beside the choice's line; returns where the choice begins.
    int placeBeside(int top, int width, int offset, int height);

    int itemCount_ = 0;
};

}  // namespace pelorvant
