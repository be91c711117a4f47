#include "platform/shell/InputPanelKeys.h"

#include "platform/draw/TextCase.h"

#include <string_view>

namespace platform::shell {
namespace {

using Rows = std::vector<std::vector<PanelKey>>;

std::vector<PanelKey> typing(std::u16string_view characters) {
    std::vector<PanelKey> keys;
    for (char16_t c : characters) {
        keys.push_back(PanelKey{c});
    }
    return keys;
}

std::vector<PanelKey> withKey(std::vector<PanelKey> keys, PanelKey last) {
    keys.push_back(last);
    return keys;
}

std::vector<PanelKey> withShift(std::vector<PanelKey> keys) {
    keys.insert(keys.begin(), PanelKey{0, PanelAction::Shift});
    return keys;
}

constexpr PanelKey kBackspace{0, PanelAction::Backspace};

// The bottom row: two layer keys, the space bar and Enter.
std::vector<PanelKey> bottomRow(PanelLayer first, PanelLayer second) {
    return {PanelKey{0, PanelAction::Layer, first, 2}, PanelKey{0, PanelAction::Layer, second, 2},
            PanelKey{u' ', PanelAction::Type, PanelLayer::Letters, 4},
            PanelKey{0, PanelAction::Enter, PanelLayer::Letters, 2}};
}

Rows letters() {
    return {typing(u"qwertzuiop"), withKey(typing(u"asdfghjkl"), kBackspace),
            withShift(typing(u"yxcvbnm,.")), bottomRow(PanelLayer::Digits, PanelLayer::Accents)};
}

Rows accents() {
    return {typing(u"áčďéěíňóřš"), withKey(typing(u"ťúůýžäôĺľ"), kBackspace),
            withShift(typing(u"ŕ-()?!:;\"")), bottomRow(PanelLayer::Digits, PanelLayer::Letters)};
}

Rows digits() {
    return {typing(u"1234567890"), withKey(typing(u"-/:;()&@\""), kBackspace),
            typing(u".,?!'+=*#%"), bottomRow(PanelLayer::Letters, PanelLayer::Accents)};
}

}  // namespace

const Rows& panelRows(PanelLayer layer) {
    static const Rows l = letters();
    static const Rows a = accents();
    static const Rows d = digits();
    return layer == PanelLayer::Letters ? l : layer == PanelLayer::Accents ? a : d;
}

draw::Rect panelKeyRect(draw::Size panel, int row, int column, int span) {
    const auto x = [&](int c) { return c * panel.width / kPanelColumns; };
    const auto y = [&](int r) { return r * panel.height / kPanelRows; };
    return draw::Rect{x(column) + 1, y(row) + 1, x(column + span) - 1, y(row + 1) - 1};
}

const PanelKey* panelKeyAt(PanelLayer layer, draw::Size panel, draw::Point p) {
    const Rows& rows = panelRows(layer);
    for (int r = 0; r < kPanelRows; ++r) {
        int column = 0;
        for (const PanelKey& key : rows[static_cast<std::size_t>(r)]) {
            // The whole cell, the gaps between keys included.
            const draw::Rect cell{column * panel.width / kPanelColumns,
                                  r * panel.height / kPanelRows,
                                  (column + key.span) * panel.width / kPanelColumns,
                                  (r + 1) * panel.height / kPanelRows};
            if (cell.contains(p)) {
                return &key;
            }
            column += key.span;
        }
    }
    return nullptr;
}

std::u16string panelKeyLabel(const PanelKey& key, bool shift) {
    switch (key.action) {
        case PanelAction::Type:
            if (key.character == u' ') {
                return u"␣";
            }
            return std::u16string(1, shift ? draw::toUpperCase(key.character) : key.character);
        case PanelAction::Backspace:
            return u"←";
        case PanelAction::Enter:
            return u"↵";
        case PanelAction::Shift:
            return u"⇧";
        case PanelAction::Layer:
            return key.target == PanelLayer::Letters   ? u"abc"
                   : key.target == PanelLayer::Accents ? u"áčř"
                                                       : u"123";
    }
    return {};
}

}  // namespace platform::shell
