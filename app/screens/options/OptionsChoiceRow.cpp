#include "app/screens/options/OptionsChoiceRow.h"

#include "app/shell/BaseView.h"
#include "app/shell/ShellException.h"
#include "app/shell/ShellSettings.h"

#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;

std::u16string formatCaption(std::u16string_view caption, int fontHeight) {
    std::u16string text(caption);
    const std::u16string number = decimalText(fontHeight);
    for (std::size_t at = text.find(u"%d"); at != std::u16string::npos;
         at = text.find(u"%d", at + number.size())) {
        text.replace(at, 2, number);
    }
    return text;
}

int placeCaption(ImageLabel& caption, LayoutAnchor& anchor, std::u16string_view text, int top,
                 int width, int offset) {
    const int fh = shellSettings().fontHeight();
    const int left = width * 2 / 100;
    const int w = width * 96 / 100;
    ui::moveWindow(caption.handle(), left, top - offset, w, 3 * fh);
    caption.SetText(formatCaption(text, fh));
    const int h = std::max(caption.GetTextHeight(), fh);
    ui::moveWindow(caption.handle(), left, top - offset, w, h);
    anchor.computed = Rect::fromSize(left, top, w, h);
    return top + h;
}

cOptionsChoiceRow::cOptionsChoiceRow(int focusOrder, int ownerViewId, std::u16string caption,
                                     int helpCode, RowPlacement placement)
    : choice(focusOrder, ownerViewId),
      captionText(std::move(caption)),
      helpCode(helpCode),
      placement(placement) {
    choice.anchor.canTakeFocus = true;
    choice.anchor.focusOrder = focusOrder;
    choice.anchor.portraitReference = &captionAnchor;
}

void cOptionsChoiceRow::create(cBaseView& page, std::uintptr_t choiceId,
                               cImageMessageBoxView* listView, int returnMenu) {
    const Rect small{0, 0, 10, 10};
    if (!captionText.empty())
        caption.createList(page.handle(), small, 0);
    choice.listView = listView;
    choice.returnMenu = returnMenu;
    choice.createChoice(page.handle(), small, choiceId);
    if (helpCode >= 0 && shellSettings().isNotSmartphone()) {
        try {
            auto strip = std::make_unique<cImageStrip>(u"infoM", u"infoMD", u"", false, helpCode);
            if (strip->createStrip(page.handle(), small, 2054))
                help = std::move(strip);
        } catch (const ShellException&) {
            help.reset();  // without its pictures the row still works, only without help
        }
    }
    page.addFocusItem(choice.anchor, focusWindow());
}

void cOptionsChoiceRow::setItems(const std::vector<std::u16string>& items) {
    choice.items() = items;
    itemCount_ = static_cast<int>(items.size());
    choice.fillComboBox();
}

void cOptionsChoiceRow::setRows(std::span<const ChoiceRow> rows) {
    std::vector<std::u16string> texts;
    for (const ChoiceRow& row : rows)
        texts.emplace_back(row.text);
    setItems(texts);
}

int cOptionsChoiceRow::placeBeside(int top, int width, int offset, int height) {
    const int fh = shellSettings().fontHeight();
    const int labelLeft = width * placement.left / 100;
    // Room for a label of two or three characters, then a quarter font height of gap.
    const int labelWidth = static_cast<int>(1.25 * fh);
    ui::moveWindow(caption.handle(), labelLeft, top - offset, labelWidth, height);
    caption.SetText(formatCaption(captionText, fh));
    const int textHeight = std::clamp(caption.GetTextHeight(), 1, height);
    const int captionTop = top + (height - textHeight) / 2;
    ui::moveWindow(caption.handle(), labelLeft, captionTop - offset, labelWidth, textHeight);
    captionAnchor.computed = Rect::fromSize(labelLeft, captionTop, labelWidth, textHeight);
    return labelLeft + labelWidth + fh / 4;
}

int cOptionsChoiceRow::place(int top, int width, int offset) {
    const int fh = shellSettings().fontHeight();
    const int height = static_cast<int>(1.3 * fh);
    int y = top;
    int left = width * placement.left / 100;
    if (captionText.empty()) {
        captionAnchor.computed = Rect::fromSize(0, y, 0, 0);
    } else if (placement.captionBeside) {
        left = placeBeside(y, width, offset, height);
    } else {
        y = placeCaption(caption, captionAnchor, captionText, y, width, offset) + fh / 4;
    }
    const int right = width * placement.right / 100;
    ui::moveWindow(choice.handle(), left, y - offset, right - left, height);
    choice.Layout();
    choice.SetFont(&shellSettings().mainFont());
    choice.anchor.computed = Rect::fromSize(left, y, right - left, height);
    if (help) {
        const int side = fh;
        ui::moveWindow(help->handle(), width * 80 / 100, y - offset + (height - side) / 2, side,
                       side);
    }
    return y + height;
}

void cOptionsChoiceRow::showValue(std::span<const ChoiceRow> rows, std::int32_t stored) {
    select(rowAtOrAbove(rows, stored).value_or(0));
}

std::int32_t cOptionsChoiceRow::value(std::span<const ChoiceRow> rows) const {
    return rowValue(rows, selected());
}

void cOptionsChoiceRow::showIndex(std::int32_t stored) {
    select(stored >= 0 && stored < itemCount_ ? stored : 0);
}

std::int32_t cOptionsChoiceRow::index() const {
    const int row = selected();
    return row >= 0 && row < itemCount_ ? row : 0;
}

platform::WindowHandle cOptionsChoiceRow::focusWindow() const {
    return choice.hasCombo ? choice.combo.handle() : choice.handle();
}

void cOptionsChoiceRow::show(bool visible) {
    const int command = visible ? ui::SW_SHOW : ui::SW_HIDE;
    if (!captionText.empty())
        ui::showWindow(caption.handle(), command);
    choice.Show(command);
    if (help)
        ui::showWindow(help->handle(), command);
}

}  // namespace pelorvant
