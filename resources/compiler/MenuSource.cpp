#include "resources/compiler/MenuSource.h"

#include "resources/compiler/ResourceError.h"
#include "resources/compiler/SourceLine.h"

namespace rescomp {

namespace {

constexpr std::size_t kMaxSoftKeys = 2;

}  // namespace

std::vector<MenuResource> parseMenus(std::string_view source) {
    std::vector<MenuResource> menus;
    bool inMenu = false;
    // The open popups, innermost last; entries go to the innermost one or to the menu.
    std::vector<MenuNode> open;
    int lastLine = 0;
    forEachLine(source, [&](SourceLine line) {
        lastLine = line.lineNumber();
        if (line.atEnd()) {
            return;
        }
        std::string keyword = line.word();
        if (keyword == "menu") {
            if (inMenu) {
                line.fail("\"menu\" inside another menu");
            }
            MenuResource menu;
            menu.id = line.number(0xFFFF);
            line.expectEnd();
            for (const MenuResource& earlier : menus) {
                if (earlier.id == menu.id) {
                    line.fail("menu " + std::to_string(menu.id) + " appears twice");
                }
            }
            menus.push_back(std::move(menu));
            inMenu = true;
            return;
        }
        if (!inMenu) {
            line.fail("\"" + keyword + "\" outside a menu");
        }
        std::vector<MenuNode>& target = open.empty() ? menus.back().entries : open.back().children;
        if (keyword == "end") {
            line.expectEnd();
            if (open.empty()) {
                if (menus.back().entries.empty()) {
                    line.fail("menu " + std::to_string(menus.back().id) + " is empty");
                }
                inMenu = false;
                return;
            }
            MenuNode popup = std::move(open.back());
            open.pop_back();
            if (popup.children.empty()) {
                line.fail("empty popup");
            }
            std::vector<MenuNode>& parent =
                open.empty() ? menus.back().entries : open.back().children;
            parent.push_back(std::move(popup));
            return;
        }
        MenuNode node;
        if (keyword == "command") {
            node.kind = MenuNode::Kind::Command;
            node.id = line.number(0xFFFF);
            node.text = line.text();
        } else if (keyword == "separator") {
            node.kind = MenuNode::Kind::Separator;
            if (open.empty()) {
                line.fail("a separator belongs inside a popup");
            }
        } else if (keyword == "popup") {
            node.kind = MenuNode::Kind::Popup;
            if (line.nextIsNumber()) {
                node.id = line.number(0xFFFF);
            }
            node.text = line.text();
        } else {
            line.fail("unknown entry \"" + keyword + "\"");
        }
        line.expectEnd();
        if (node.kind != MenuNode::Kind::Separator && node.text.empty()) {
            line.fail("an entry needs a text");
        }
        if (open.empty() && menus.back().entries.size() >= kMaxSoftKeys) {
            line.fail("a menu has at most two top-level entries");
        }
        if (node.kind == MenuNode::Kind::Popup) {
            open.push_back(std::move(node));
        } else {
            target.push_back(std::move(node));
        }
    });
    if (inMenu) {
        throw ResourceError(lastLine,
                            "menu " + std::to_string(menus.back().id) + " has no closing \"end\"");
    }
    return menus;
}

}  // namespace rescomp
