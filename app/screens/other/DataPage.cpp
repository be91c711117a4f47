#include "app/screens/other/DataPage.h"

#include "app/screens/other/DataPageLayout.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellSettings.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

MsgResult cDataPage::OnCreate(std::uintptr_t, std::intptr_t) {
    const Rect small{0, 0, 10, 10};
    list.createReport(handle(), small, kDataListId, ui::WS_BORDER | controls::LVS_NOCOLUMNHEADER);
    const std::uint32_t ext = controls::LVS_EX_CHECKBOXES | controls::LVS_EX_FULLROWSELECT;
    platform::sendMessage(list.handle(), controls::LVM_SETEXTENDEDLISTVIEWSTYLE, ext, ext);
    controls::ListColumn column;
    column.text = u"data";
    platform::sendMessage(list.handle(), controls::LVM_INSERTCOLUMN, 0, reinterpret_cast<std::intptr_t>(&column));
    caption.createList(handle(), small, 1001);
    const Rect client = ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
    return 0;
}

void cDataPage::Layout(unsigned flags, int width, int height) {
    if (flags & kLayoutSizeUnchanged) return;
    const DataPageAnchors anchors = dataPageAnchors(!context_.settings->isNotSmartphone);
    list.anchor = anchors.list;
    captionAnchor = anchors.caption;
    const Rect r = list.anchor.place(0, 0, width, height);
    ui::moveWindow(list.handle(), r.left, r.top, r.width(), r.height());
    const Rect c = captionAnchor.place(0, 0, width, height);
    ui::moveWindow(caption.handle(), c.left, c.top, c.width(), c.height());
    const auto font = reinterpret_cast<std::uintptr_t>(&shellSettings().mainFont());
    platform::sendMessage(list.handle(), controls::WM_SETFONT, font, 1);
    platform::sendMessage(list.handle(), controls::LVM_SETCOLUMNWIDTH, 0, static_cast<std::intptr_t>(width * 1.5));
    caption.SetText(caption.markupText);
    ui::invalidateRect(handle());
}

void cDataPage::OnSetFocus() { ui::setFocus(list.handle()); }

const ui::MessageMapBase& cDataPage::messageMap() const {
    static const auto map = ui::MessageMap<cDataPage>(&cBaseView::messageMap())
                                .message(ui::WM_CREATE, &cDataPage::OnCreate)
                                .message(ui::WM_SETFOCUS, &cDataPage::OnSetFocus);
    return map;
}

}  // namespace pelorvant
