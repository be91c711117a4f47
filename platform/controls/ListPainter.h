#pragma once
// One way of drawing the rows of a list, shared by the combo box's open list, menus and the
// list view: one row height for a font, one highlight (white text on the selection colour),
// and the row's text on one line, centred vertically.

#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"
#include "platform/draw/Geometry.h"

#include <string_view>

namespace platform::controls {

// How far a row's text starts from the row's left edge.
inline constexpr int kListTextInset = 3;

// The height of a row of text in the font: the text and room for a finger around it.
int listRowHeight(const draw::Font& font);

// Starts a row: fills `ground` with the highlight when the row is lit (nothing otherwise) and
// sets the text colour: white on the highlight, grey when disabled, black otherwise.
void beginListRow(draw::DeviceContext& dc, const draw::Rect& ground, bool lit, bool enabled = true);

// The row's text, on one line, centred vertically in `area` and clipped to it.
void drawListRowText(draw::DeviceContext& dc, std::u16string_view text, const draw::Rect& area);

}  // namespace platform::controls
