#include "app/program/tabs/PlaceholderView.h"

#include "app/shell/ShellSettings.h"
#include "app/shell/ViewSwitcher.h"
#include "app/shell/ViewTable.h"

#include "platform/draw/DeviceContext.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;

void cPlaceholderView::OnPaint() {
    ui::PaintContext paint(handle());
    auto& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    dc.fillRect(client, platform::draw::rgb(255, 255, 255));
    dc.selectFont(&shellSettings().mainFont());
    dc.setTextColor(platform::draw::rgb(0, 0, 0));
    const int h = shellSettings().fontHeight();
    dc.drawText(title, Rect{h / 2, h / 2, client.right - h / 2, client.top + h * 2});
}

bool cPlaceholderView::routeCommand(std::uint32_t id, std::uint32_t code) {
    if (handleOwnCommand(id, code)) return true;
    if (ViewSwitcher* page = parentViewSwitcher(handle())) page->showView(kViewSetChoice, kOwnMenu);
    return true;
}

const platform::ui::MessageMapBase& cPlaceholderView::messageMap() const {
    static const auto map = platform::ui::MessageMap<cPlaceholderView>(&cBaseView::messageMap())
                                .message(ui::WM_PAINT, &cPlaceholderView::OnPaint);
    return map;
}

}  // namespace pelorvant
