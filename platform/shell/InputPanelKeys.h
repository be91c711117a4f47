#pragma once
// The keys of the drawn input panel: four rows of ten columns in three layers (letters,
// Czech and Slovak letters, digits and signs). Shift makes the next letter a capital. A tap
// on a key types its character into the focus window, or does what the key is for.

#include "platform/draw/Geometry.h"

#include <string>
#include <vector>

namespace platform::shell {

enum class PanelLayer { Letters, Accents, Digits };

enum class PanelAction { Type, Backspace, Enter, Shift, Layer };

struct PanelKey {
    char16_t character = 0;  // what Type types (before Shift)
    PanelAction action = PanelAction::Type;
    PanelLayer target = PanelLayer::Letters;  // what Layer switches to
    int span = 1;                             // in columns
};

inline constexpr int kPanelRows = 4;
inline constexpr int kPanelColumns = 10;

// The rows of a layer, each of kPanelColumns columns.
const std::vector<std::vector<PanelKey>>& panelRows(PanelLayer layer);

// The key's rectangle in a panel of the given client size.
draw::Rect panelKeyRect(draw::Size panel, int row, int column, int span);

// The key at a point of the panel's client area, or null.
const PanelKey* panelKeyAt(PanelLayer layer, draw::Size panel, draw::Point p);

// What the key shows: its character (a capital under Shift) or the name of what it does.
std::u16string panelKeyLabel(const PanelKey& key, bool shift);

}  // namespace platform::shell
