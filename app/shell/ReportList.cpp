#include "app/shell/ReportList.h"

#include "app/core/PrivateMessages.h"

#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

bool cReportList::createReport(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id,
                               std::uint32_t style) {
    ui::CreateParams p;
    p.style = ui::WS_CHILD | ui::WS_VISIBLE | controls::LVS_REPORT | style;
    p.rect = rect;
    p.parent = parent;
    p.id = id;
    return createControl(controls::kListViewClass, p);
}

void cReportList::SelectItem(int row) {
    controls::ListItem item;
    item.state = controls::LVIS_SELECTED | controls::LVIS_FOCUSED;
    item.stateMask = item.state;
    platform::sendMessage(handle(), controls::LVM_SETITEMSTATE, static_cast<std::uintptr_t>(row),
                          reinterpret_cast<std::intptr_t>(&item));
    platform::sendMessage(handle(), controls::LVM_ENSUREVISIBLE, static_cast<std::uintptr_t>(row),
                          0);
}

void cReportList::AddItem(int position, std::u16string text) {
    controls::ListItem item;
    item.mask = controls::LVIF_TEXT;
    item.item = position;
    item.text = text;
    const auto at = platform::sendMessage(handle(), controls::LVM_INSERTITEM, 0,
                                          reinterpret_cast<std::intptr_t>(&item));
    if (at >= 0) {
        const auto index = std::min<std::size_t>(static_cast<std::size_t>(at), rowTexts.size());
        rowTexts.insert(rowTexts.begin() + static_cast<std::ptrdiff_t>(index), std::move(text));
    }
}

void cReportList::DeleteAllItems() {
    rowTexts.clear();
    platform::sendMessage(handle(), controls::LVM_DELETEALLITEMS, 0, 0);
}

std::vector<int> cReportList::GetCheckedItems(bool noFallback) const {
    std::vector<int> rows;
    const auto count = platform::sendMessage(handle(), controls::LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        const auto state = platform::sendMessage(handle(), controls::LVM_GETITEMSTATE,
                                                 static_cast<std::uintptr_t>(i),
                                                 controls::LVIS_STATEIMAGEMASK);
        if (static_cast<std::uint32_t>(state) == controls::kStateChecked) {
            rows.push_back(i);
        }
    }
    if (rows.empty() && !noFallback) {
        const auto mark = platform::sendMessage(handle(), controls::LVM_GETSELECTIONMARK, 0, 0);
        if (mark >= 0) {
            rows.push_back(static_cast<int>(mark));
        }
    }
    return rows;
}

MsgResult cReportList::onMessage(std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam) {
    if (message == ui::WM_KEYDOWN) {
        const auto mark = platform::sendMessage(handle(), controls::LVM_GETSELECTIONMARK, 0, 0);
        const auto count = platform::sendMessage(handle(), controls::LVM_GETITEMCOUNT, 0, 0);
        switch (wParam) {
            case ui::VK_LEFT:
            case ui::VK_RIGHT:
                platform::sendMessage(handle(), controls::LVM_SCROLL,
                                      static_cast<std::uintptr_t>(wParam == ui::VK_LEFT ? -50 : 50),
                                      0);
                break;
            case ui::VK_UP:
                if (mark == 0) {
                    platform::sendMessage(ui::getParent(handle()), WM_MOVE_FOCUS, 1,
                                          anchor.focusOrder);
                }
                break;
            case ui::VK_DOWN:
                if (count > 0 && mark == count - 1) {
                    platform::sendMessage(ui::getParent(handle()), WM_MOVE_FOCUS, 0,
                                          anchor.focusOrder);
                }
                break;
            default:
                break;
        }
    }
    return callControl(message, wParam, lParam);
}

}  // namespace pelorvant
