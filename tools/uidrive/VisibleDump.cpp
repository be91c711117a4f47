#include "tools/uidrive/VisibleDump.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/controls/MonthCalendar.h"
#include "platform/controls/TabControl.h"
#include "platform/core/MessageLoop.h"
#include "platform/draw/Utf.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/Focus.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace uidrive {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::draw::toUtf8;

namespace {

void dumpRows(std::string& out, platform::WindowHandle list, int depth) {
    const auto count = platform::sendMessage(list, controls::LVM_GETITEMCOUNT, 0, 0);
    const auto checks = static_cast<std::uint32_t>(
        platform::sendMessage(list, controls::LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)) & controls::LVS_EX_CHECKBOXES;
    const auto selected = platform::sendMessage(list, controls::LVM_GETSELECTIONMARK, 0, 0);
    for (int row = 0; row < count; ++row) {
        controls::ListItem item;
        item.item = row;
        platform::sendMessage(list, controls::LVM_GETITEMTEXT, static_cast<std::uintptr_t>(row),
                              reinterpret_cast<std::intptr_t>(&item));
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += "row " + std::to_string(row);
        if (checks) {
            const auto state = platform::sendMessage(list, controls::LVM_GETITEMSTATE, static_cast<std::uintptr_t>(row),
                                                     controls::LVIS_STATEIMAGEMASK);
            out += static_cast<std::uint32_t>(state) == controls::kStateChecked ? " [x]" : " [ ]";
        }
        if (row == selected) out += " selected";
        out += " \"" + toUtf8(item.text) + "\"";
        // The further columns that hold text.
        for (int column = 1; column < 8; ++column) {
            controls::ListItem cell;
            cell.item = row;
            cell.subItem = column;
            platform::sendMessage(list, controls::LVM_GETITEMTEXT, static_cast<std::uintptr_t>(row),
                                  reinterpret_cast<std::intptr_t>(&cell));
            if (!cell.text.empty()) out += " \"" + toUtf8(cell.text) + "\"";
        }
        out += "\n";
    }
}

void dumpWindow(std::string& out, platform::WindowHandle h, int depth) {
    if (!(ui::getStyle(h) & ui::WS_VISIBLE)) return;
    const auto r = ui::getWindowRectInParent(h);
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += ui::getClassName(h) + " id=" + std::to_string(ui::getDlgCtrlId(h)) + " [" + std::to_string(r.left) + "," +
           std::to_string(r.top) + " " + std::to_string(r.width()) + "x" + std::to_string(r.height()) + "]";
    if (ui::getFocus() == h) out += " focus";
    const std::string className = ui::getClassName(h);
    if (className == controls::kButtonClass &&
        (ui::getStyle(h) & controls::BS_TYPEMASK) == controls::BS_AUTOCHECKBOX) {
        out += platform::sendMessage(h, controls::BM_GETCHECK, 0, 0) == controls::BST_CHECKED ? " [x]" : " [ ]";
        if (!ui::isWindowEnabled(h)) out += " disabled";
    }
    if (className == controls::kComboBoxClass) {
        // A drop-down list shows its selected item.
        std::u16string shown;
        const auto index = platform::sendMessage(h, controls::CB_GETCURSEL, 0, 0);
        if (index >= 0) {
            platform::sendMessage(h, controls::CB_GETLBTEXT, static_cast<std::uintptr_t>(index),
                                  reinterpret_cast<std::intptr_t>(&shown));
        }
        out += " shows \"" + toUtf8(shown) + "\"";
        // An open list is a popup of its own, outside the tree below.
        if (platform::sendMessage(h, controls::CB_GETDROPPEDSTATE, 0, 0) != 0) out += " dropped";
    }
    if (className == controls::kTabControlClass) {
        // A tab control shows its current tab.
        controls::TabItem item;
        const auto current = platform::sendMessage(h, controls::TCM_GETCURSEL, 0, 0);
        if (current >= 0)
            platform::sendMessage(h, controls::TCM_GETITEM, static_cast<std::uintptr_t>(current),
                                  reinterpret_cast<std::intptr_t>(&item));
        out += " shows \"" + toUtf8(item.text) + "\"";
    }
    out += " \"" + toUtf8(ui::getWindowText(h)) + "\"\n";
    if (className == controls::kListViewClass) dumpRows(out, h, depth + 1);
    for (platform::WindowHandle c : ui::getChildren(h)) dumpWindow(out, c, depth + 1);
}

}  // namespace

void collectControlTexts(platform::WindowHandle window, std::vector<std::u16string>& texts) {
    if (window == platform::kNullWindow || !ui::isWindowVisible(window)) return;
    const std::string className = ui::getClassName(window);
    if (className == controls::kStaticClass || className == controls::kButtonClass) {
        texts.push_back(ui::getWindowText(window));
    } else if (className == controls::kComboBoxClass) {
        const auto count = platform::sendMessage(window, controls::CB_GETCOUNT, 0, 0);
        for (std::intptr_t i = 0; i < count; ++i) {
            std::u16string item;
            platform::sendMessage(window, controls::CB_GETLBTEXT, static_cast<std::uintptr_t>(i),
                                  reinterpret_cast<std::intptr_t>(&item));
            texts.push_back(item);
        }
    } else if (className == controls::kListViewClass) {
        const auto count = platform::sendMessage(window, controls::LVM_GETITEMCOUNT, 0, 0);
        for (int row = 0; row < count; ++row) {
            for (int column = 0; column < 8; ++column) {
                controls::ListItem cell;
                cell.item = row;
                cell.subItem = column;
                platform::sendMessage(window, controls::LVM_GETITEMTEXT, static_cast<std::uintptr_t>(row),
                                      reinterpret_cast<std::intptr_t>(&cell));
                if (!cell.text.empty()) texts.push_back(cell.text);
            }
        }
    } else if (className == controls::kMonthCalendarClass) {
        controls::CalendarNames names;
        platform::sendMessage(window, controls::MCM_GETNAMES, 0, reinterpret_cast<std::intptr_t>(&names));
        texts.insert(texts.end(), names.months.begin(), names.months.end());
        texts.insert(texts.end(), names.weekdays.begin(), names.weekdays.end());
    } else if (className == controls::kTabControlClass) {
        const auto count = platform::sendMessage(window, controls::TCM_GETITEMCOUNT, 0, 0);
        for (std::intptr_t i = 0; i < count; ++i) {
            controls::TabItem item;
            platform::sendMessage(window, controls::TCM_GETITEM, static_cast<std::uintptr_t>(i),
                                  reinterpret_cast<std::intptr_t>(&item));
            texts.push_back(item.text);
        }
    }
    for (platform::WindowHandle c : ui::getChildren(window)) collectControlTexts(c, texts);
}

std::string dumpVisible(platform::WindowHandle frame) {
    std::string out;
    dumpWindow(out, frame, 0);
    const platform::WindowHandle bar = platform::shell::findMenuBar(frame);
    if (const auto menu = platform::shell::menuBarMenu(bar)) {
        out += "menu bar:";
        for (int i = 0; i < menu->count(); ++i) {
            if (const auto* item = menu->item(i)) out += " \"" + toUtf8(item->text) + "\"";
        }
        if (platform::shell::menuBarDoneButton(bar))
            out += " [ok]";
        out += "\n";
    }
    return out;
}

namespace {

void collectItems(const platform::shell::Menu& menu, bool checkedOnly, std::vector<std::string>& texts) {
    for (int i = 0; i < menu.count(); ++i) {
        const auto* item = menu.item(i);
        if (item == nullptr || item->kind == platform::shell::MenuItem::Kind::Separator) continue;
        if (item->checked || !checkedOnly) texts.push_back(toUtf8(item->text));
        if (item->popup) collectItems(*item->popup, checkedOnly, texts);
    }
}

std::vector<std::string> collectMenuBar(platform::WindowHandle frame, bool checkedOnly) {
    std::vector<std::string> texts;
    if (const auto menu = platform::shell::menuBarMenu(platform::shell::findMenuBar(frame))) {
        collectItems(*menu, checkedOnly, texts);
    }
    return texts;
}

}  // namespace

std::vector<std::string> menuItemTexts(platform::WindowHandle frame) { return collectMenuBar(frame, false); }

std::vector<std::string> checkedMenuItemTexts(platform::WindowHandle frame) { return collectMenuBar(frame, true); }

}  // namespace uidrive
