#include "app/screens/search/ListingRowPainter.h"

#include "platform/controls/SystemColors.h"

namespace pelorvant {

namespace controls = platform::controls;
namespace draw = platform::draw;

std::u16string fittedText(const draw::Font& font, const std::u16string& text, int width) {
    if (font.measure(text).width <= width) return text;
    std::u16string shorter = text;
    while (!shorter.empty()) {
        shorter.pop_back();
        while (!shorter.empty() && shorter.back() == u' ') shorter.pop_back();
        if (font.measure(shorter + u"\u2026").width <= width) return shorter + u"\u2026";
    }
    return {};
}

void drawListingRow(draw::DeviceContext& dc, const draw::Rect& row, const ListingRowLook& look) {
    dc.fillRect(row, look.selected ? kListingSelectedColor : controls::kWindowColor);
    if (look.ridden && !look.selected) {
        dc.fillRect(draw::Rect{row.left, row.top, row.left + look.widths[0], row.bottom}, kListingRiddenColor);
    }
    draw::Color text = controls::getSysColor(controls::COLOR_WINDOWTEXT);
    if (look.selected) {
        text = controls::kSelectionTextColor;
    } else if (look.ridden) {
        text = draw::rgb(0, 0, 0);
    }
    const draw::Color oldText = dc.setTextColor(text);
    const draw::BackgroundMode oldMode = dc.setBkMode(draw::BackgroundMode::Transparent);
    int x = row.left;
    for (std::size_t c = 0; c < look.cells.size(); ++c) {
        const draw::Rect cell{x + look.inset, row.top, x + look.widths[c] - look.inset, row.bottom};
        if (cell.right > cell.left) {
            dc.drawText(fittedText(dc.font(), look.cells[c], cell.width()), cell,
                        look.align[c] | draw::kTextVCenter | draw::kTextSingleLine);
        }
        x += look.widths[c];
    }
    dc.setBkMode(oldMode);
    dc.setTextColor(oldText);
}

}  // namespace pelorvant
