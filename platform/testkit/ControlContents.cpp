#include "platform/testkit/ControlContents.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/draw/Utf.h"
#include "platform/ui/WindowTree.h"

namespace platform::testkit {
namespace {

namespace ctl = platform::controls;

// A list view row's texts: subitems up to the last one that holds text.
constexpr int kMostColumns = 16;

std::string quoted(const std::u16string& text) {
    return "\"" + draw::toUtf8(text) + "\"";
}

std::string comboSummary(WindowHandle w) {
    const MsgResult count = sendMessage(w, ctl::CB_GETCOUNT);
    const MsgResult sel = sendMessage(w, ctl::CB_GETCURSEL);
    std::string out = " selected=";
    if (sel == ctl::CB_ERR) {
        out += "none";
    } else {
        std::u16string text;
        sendMessage(w, ctl::CB_GETLBTEXT, static_cast<std::uintptr_t>(sel),
                    reinterpret_cast<std::intptr_t>(&text));
        out += std::to_string(sel) + " " + quoted(text);
    }
    out += " of " + std::to_string(count);
    if (sendMessage(w, ctl::CB_GETDROPPEDSTATE)) {
        out += " dropped";
    }
    return out;
}

std::string editSummary(WindowHandle w) {
    int start = 0;
    int end = 0;
    sendMessage(w, ctl::EM_GETSEL, reinterpret_cast<std::uintptr_t>(&start),
                reinterpret_cast<std::intptr_t>(&end));
    return " selection=" + std::to_string(start) + "-" + std::to_string(end);
}

std::string buttonSummary(WindowHandle w) {
    const std::uint32_t type = ui::getStyle(w) & ctl::BS_TYPEMASK;
    const bool checkable = type == ctl::BS_CHECKBOX || type == ctl::BS_AUTOCHECKBOX ||
                           type == ctl::BS_RADIOBUTTON || type == ctl::BS_AUTORADIOBUTTON;
    if (!checkable) {
        return {};
    }
    return sendMessage(w, ctl::BM_GETCHECK) == ctl::BST_CHECKED ? " checked" : " unchecked";
}

}  // namespace

std::string controlSummary(WindowHandle window) {
    const std::string cls = ui::getClassName(window);
    if (cls == ctl::kComboBoxClass) {
        return comboSummary(window);
    }
    if (cls == ctl::kEditClass) {
        return editSummary(window);
    }
    if (cls == ctl::kButtonClass) {
        return buttonSummary(window);
    }
    if (cls == ctl::kListViewClass) {
        return " rows=" + std::to_string(sendMessage(window, ctl::LVM_GETITEMCOUNT));
    }
    return {};
}

std::string controlRows(WindowHandle window, int indent) {
    if (ui::getClassName(window) != ctl::kListViewClass) {
        return {};
    }
    const bool checks =
        (sendMessage(window, ctl::LVM_GETEXTENDEDLISTVIEWSTYLE) & ctl::LVS_EX_CHECKBOXES) != 0;
    const auto rows = static_cast<int>(sendMessage(window, ctl::LVM_GETITEMCOUNT));
    std::string out;
    for (int row = 0; row < rows; ++row) {
        const auto state = static_cast<std::uint32_t>(
            sendMessage(window, ctl::LVM_GETITEMSTATE, static_cast<std::uintptr_t>(row),
                        ctl::LVIS_STATEIMAGEMASK | ctl::LVIS_SELECTED | ctl::LVIS_FOCUSED));
        std::vector<std::u16string> texts;
        for (int column = 0; column < kMostColumns; ++column) {
            ctl::ListItem item;
            item.subItem = column;
            sendMessage(window, ctl::LVM_GETITEMTEXT, static_cast<std::uintptr_t>(row),
                        reinterpret_cast<std::intptr_t>(&item));
            texts.push_back(item.text);
        }
        while (texts.size() > 1 && texts.back().empty()) {
            texts.pop_back();
        }
        out.append(static_cast<std::size_t>(indent), ' ');
        out += "row " + std::to_string(row);
        if (checks) {
            out += (state & ctl::LVIS_STATEIMAGEMASK) == ctl::kStateChecked ? " [x]" : " [ ]";
        }
        for (const std::u16string& t : texts) {
            out += " " + quoted(t);
        }
        if (state & ctl::LVIS_SELECTED) {
            out += " selected";
        }
        if (state & ctl::LVIS_FOCUSED) {
            out += " focused";
        }
        out += "\n";
    }
    return out;
}

}  // namespace platform::testkit
