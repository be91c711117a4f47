#include "app/screens/options/CheckListPage.h"

#include "app/screens/options/OptionsChoiceRow.h"
#include "app/screens/options/OptionsPage.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

cCheckListPage::cCheckListPage(std::u16string caption) : captionText(std::move(caption)) {
    list.anchor.canTakeFocus = true;
    list.anchor.focusOrder = 0;
}

bool cCheckListPage::createPage(WindowHandle form) {
    return createView(form, Rect{0, 0, 0, 0}, kOptionsPageId);
}

MsgResult cCheckListPage::OnCreate(std::uintptr_t, std::intptr_t) {
    const Rect small{0, 0, 10, 10};
    heading.create(handle());
    caption.createList(handle(), small, 0);
    list.createReport(handle(), small, kCheckListId, ui::WS_BORDER | controls::LVS_NOCOLUMNHEADER);
    const std::uint32_t ext = controls::LVS_EX_CHECKBOXES | controls::LVS_EX_FULLROWSELECT;
    platform::sendMessage(list.handle(), controls::LVM_SETEXTENDEDLISTVIEWSTYLE, ext, ext);
    controls::ListColumn column;
    column.text = u"";
    platform::sendMessage(list.handle(), controls::LVM_INSERTCOLUMN, 0,
                          reinterpret_cast<std::intptr_t>(&column));
    addFocusItem(list.anchor, list.handle());
    return 0;
}

void cCheckListPage::Layout(unsigned, int width, int height) {
    const ShellSettings& settings = shellSettings();
    const int fh = settings.fontHeight();
    const int left = width * 2 / 100;
    const int w = width * 96 / 100;
    const int captionTop = heading.place(fh / 4, width, 0);
    const int top =
        placeCaption(caption, captionAnchor, captionText, captionTop, width, 0) + fh / 4;
    ui::moveWindow(list.handle(), left, top, w, std::max(height - top - fh / 4, fh));
    list.anchor.computed = Rect::fromSize(left, top, w, height - top);
    platform::sendMessage(list.handle(), controls::WM_SETFONT,
                          reinterpret_cast<std::uintptr_t>(&settings.mainFont()), 1);
    platform::sendMessage(list.handle(), controls::LVM_SETCOLUMNWIDTH, 0,
                          static_cast<std::intptr_t>(width * 1.5));
}

void cCheckListPage::setChecked(int row, bool checked) {
    controls::ListItem item;
    item.state = checked ? controls::kStateChecked : controls::kStateUnchecked;
    item.stateMask = controls::LVIS_STATEIMAGEMASK;
    platform::sendMessage(list.handle(), controls::LVM_SETITEMSTATE,
                          static_cast<std::uintptr_t>(row), reinterpret_cast<std::intptr_t>(&item));
}

void cCheckListPage::setRows(const std::vector<std::u16string>& names,
                             const std::vector<bool>& checked) {
    list.DeleteAllItems();
    for (std::size_t i = 0; i < names.size(); ++i) {
        list.AddItem(static_cast<int>(i), names[i]);
        setChecked(static_cast<int>(i), i < checked.size() && checked[i]);
    }
    if (!names.empty())
        list.SelectItem(0);
}

std::vector<bool> cCheckListPage::checkedRows() const {
    std::vector<bool> rows(list.rowTexts.size(), false);
    for (int row : list.GetCheckedItems(true)) {
        if (row >= 0 && static_cast<std::size_t>(row) < rows.size())
            rows[static_cast<std::size_t>(row)] = true;
    }
    return rows;
}

int cCheckListPage::ResetFocus() {
    currentItem = 0;
    return 0;
}

void cCheckListPage::OnSetFocus() {
    ui::setFocus(list.handle());
    if (rowCount() > 0)
        list.SelectItem(0);
}

const ui::MessageMapBase& cCheckListPage::messageMap() const {
    static const auto map = ui::MessageMap<cCheckListPage>(&cBaseView::messageMap())
                                .message(ui::WM_CREATE, &cCheckListPage::OnCreate)
                                .message(ui::WM_SETFOCUS, &cCheckListPage::OnSetFocus);
    return map;
}

}  // namespace pelorvant
