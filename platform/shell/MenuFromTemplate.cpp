#include "platform/shell/MenuFromTemplate.h"

namespace platform::shell {
namespace {

// Templates nest only a few levels; the limit keeps a damaged one from recursing deeply.
constexpr int kDeepestPopup = 16;

void fill(Menu& menu, std::span<const resources::MenuItemTemplate> items, int depth) {
    for (const resources::MenuItemTemplate& t : items) {
        switch (t.kind) {
            case resources::MenuItemKind::Command:
                menu.append(MF_STRING, t.id, t.text);
                break;
            case resources::MenuItemKind::Separator:
                menu.append(MF_SEPARATOR, 0, u"");
                break;
            case resources::MenuItemKind::Popup: {
                MenuPtr popup = Menu::create();
                if (depth < kDeepestPopup && t.children) {
                    fill(*popup, t.items(), depth + 1);
                }
                // The soft-key button id of a popup ("Menu" is 402) is kept as its id.
                menu.append(MF_POPUP, t.id, t.text, popup);
                break;
            }
        }
    }
}

}  // namespace

MenuPtr menuFromTemplate(const resources::MenuTemplate& source) {
    MenuPtr menu = Menu::create();
    if (source.entries) {
        fill(*menu, source.topLevel(), 0);
    }
    return menu;
}

}  // namespace platform::shell
