#include "app/shell/ChoicePopup.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/FieldLook.h"
#include "app/shell/ShellSettings.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>
#include <string>

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

namespace {

std::u16string sizeTag(int height) {
    const std::string digits = std::to_string(height);
    return u"<*" + std::u16string(digits.begin(), digits.end()) + u"*>";
}

}  // namespace

cChoicePopup::cChoicePopup() : cBaseView(true, true, true), choice(0, 0, false), label(false) {
    design[0] = Rect{3, 3, 97, 70};
    design[1] = Rect{20, 75, 80, 93};
}

bool cChoicePopup::createPopupWindow() {
    ui::CreateParams p;
    p.className = "PelorvantChoicePopup";
    p.style =
        (shellSettings().isNotSmartphone() ? ui::WS_POPUP : 0) | ui::WS_VISIBLE | ui::WS_BORDER;
    p.exStyle = ui::WS_EX_TOPMOST;
    p.rect = Rect::fromSize(50, 50, 150, 150);
    p.parent = asking;
    if (!create(p))
        return false;
    label.createList(handle(), Rect{10, 80, 180, 98}, kChoicePopupLabelId, true);
    choice.createChoice(handle(), Rect{10, 80, 180, 98}, kChoicePopupBoxId);
    font = makeVerdana(shellSettings().fontHeight());
    return true;
}

void cChoicePopup::ShowChoice(std::u16string_view text, const std::vector<std::u16string>& strings,
                              Callback answer, platform::WindowHandle askingWindow,
                              int returnViewId) {
    if (shown)
        close();
    returnView = returnViewId;
    asking = askingWindow;
    question = sizeTag(shellSettings().fontHeight()) + std::u16string(text);
    if (!createPopupWindow())
        return;
    layoutPopup();
    choice.items() = strings;
    choice.fillComboBox();
    choice.SetCurSel(0);
    choice.Show(ui::SW_SHOW);
    ui::showWindow(label.handle(), ui::SW_SHOW);
    ui::setFocus(choice.handle());
    callback = std::move(answer);
    if (showView)
        showView(kChoicePopupViewId);
    shown = true;
    ui::showWindow(handle(), ui::SW_SHOW);
    ui::updateWindow(handle());
}

void cChoicePopup::layoutPopup() {
    const int fh = shellSettings().fontHeight();
    const Rect askingRect = ui::getWindowRect(asking);
    const int half = std::max(fh / 2, 1);
    const int charsPerLine = std::max(static_cast<int>(0.8 * askingRect.width()) / half, 1);
    const int lines = static_cast<int>(question.size()) / charsPerLine + 1;
    ui::moveWindow(label.handle(), half, half, fh * charsPerLine / 2, fh * lines);
    label.SetText(question);
    const int contentWidth = label.layout().longestLineWidth();
    const int contentHeight = label.GetTextHeight();
    const int width = contentWidth + fh;
    const int height = static_cast<int>(contentHeight + 3.5 * fh);
    const int x = askingRect.left + (askingRect.width() - width) / 2;
    const int y = askingRect.top + (askingRect.height() - height) / 2;
    ui::moveWindow(handle(), x, y, width, height);
    const Rect client = ui::getClientRect(handle());
    for (int i = 0; i < 2; ++i) {
        pixels[i] = Rect{static_cast<int>(design[i].left * client.width() * 0.01),
                         static_cast<int>(design[i].top * client.height() * 0.01),
                         static_cast<int>(design[i].right * client.width() * 0.01),
                         static_cast<int>(design[i].bottom * client.height() * 0.01)};
    }
    choice.SetFont(font.get());
    ui::moveWindow(label.handle(), half, half, contentWidth, contentHeight);
    ui::moveWindow(choice.handle(), pixels[1].left, contentHeight + fh, pixels[1].width(),
                   pixels[1].height());
    choice.Layout();
}

void cChoicePopup::close() {
    if (!shown)
        return;
    shown = false;
    if (showView)
        showView(returnView);
    destroy();
}

void cChoicePopup::OnOk() {
    const std::u16string chosen = choice.GetSelectedText();
    if (callback)
        callback(chosen, asking);
    close();
}

void cChoicePopup::OnCancel() {
    close();
}

MsgResult cChoicePopup::OnChoiceKillFocus(std::uintptr_t, std::intptr_t) {
    // The combo is still inside its own focus handler: the popup closes right after it.
    if (shown)
        platform::postMessage(handle(), ui::WM_CLOSE, 0, 0);
    return 0;
}

void cChoicePopup::OnClose() {
    close();
}

void cChoicePopup::OnPaint() {
    ui::PaintContext paint(handle());
    paint.dc().fillRect(ui::getClientRect(handle()), kWhite);
}

const ui::MessageMapBase& cChoicePopup::messageMap() const {
    static const auto map = ui::MessageMap<cChoicePopup>(&cBaseView::messageMap())
                                .command(kCommandChoiceOk, &cChoicePopup::OnOk)
                                .command(kCommandChoiceCancel, &cChoicePopup::OnCancel)
                                .message(WM_CHOICE_KILLFOCUS, &cChoicePopup::OnChoiceKillFocus)
                                .message(ui::WM_CLOSE, &cChoicePopup::OnClose)
                                .message(ui::WM_PAINT, &cChoicePopup::OnPaint);
    return map;
}

}  // namespace pelorvant
