#include "app/screens/options/OptionsOperatorPage.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ShellException.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

cOptionsOperatorPage::cOptionsOperatorPage(bool touchScreen, int ownerViewId)
    : operatorChoice(0, ownerViewId, loadResString(195), 0),
      calEdit(3, loadResString(374)),
      calSaveData(4, loadResString(375)),
      quick{cOptionsChoiceRow(5, ownerViewId, u"1.", -1),
            cOptionsChoiceRow(6, ownerViewId, u"2.", -1),
            cOptionsChoiceRow(7, ownerViewId, u"3.", -1)},
      touch_(touchScreen) {
    category.anchor.canTakeFocus = true;
    category.anchor.focusOrder = 2;
    category.anchor.portraitReference = &categoryCaptionAnchor;
}

MsgResult cOptionsOperatorPage::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    cOptionsPage::OnCreate(wParam, lParam);
    const Rect small{0, 0, 10, 10};
    operatorChoice.create(*this, kOptionsChoiceId, help_.view, help_.listMenu);
    std::vector<std::u16string> operators;
    for (const char16_t* name : operatorNames())
        operators.emplace_back(name);
    operatorChoice.setItems(operators);
    if (!touch_)
        return 0;
    categoryCaption.createList(handle(), small, 0);
    category.createEdit(handle(), small, 2056);
    ui::setStyle(category.handle(), ui::getStyle(category.handle()) | ui::WS_BORDER);
    addFocusItem(category.anchor, category.handle());
    try {
        auto strip = std::make_unique<cImageStrip>(u"infoM", u"infoMD", u"", false, 2);
        if (strip->createStrip(handle(), small, kOptionsHelpId))
            categoryHelp = std::move(strip);
    } catch (const ShellException&) {
        categoryHelp.reset();
    }
    calEdit.create(*this, kCalendarEditCheckId);
    calSaveData.create(*this, kCalendarSaveCheckId);
    quickCaption.createList(handle(), small, 0);
    std::vector<std::u16string> commands;
    for (const QuickButtonRow& row : quickButtonRows())
        commands.emplace_back(row.listed);
    for (cOptionsChoiceRow& row : quick) {
        row.create(*this, kOptionsChoiceId, help_.view, help_.listMenu);
        row.setItems(commands);
    }
    return 0;
}

void cOptionsOperatorPage::Layout(unsigned, int, int) {
    UpdateScrollLayout();
    const int fh = shellSettings().fontHeight();
    const int bottom = touch_ ? quick[2].choice.anchor.computed.bottom
                              : operatorChoice.choice.anchor.computed.bottom;
    SetContentHeight(bottom + 2 * fh);
    UpdateScrollLayout();
}

void cOptionsOperatorPage::UpdateScrollLayout() {
    const int width = usableWidth();
    const int fh = shellSettings().fontHeight();
    const int offset = scrollOffset();
    int y = operatorChoice.place(fh / 4, width, offset) + fh;
    if (touch_) {
        const auto placeLabel = [&](ImageLabel& label, LayoutAnchor& anchor,
                                    std::u16string_view text) {
            y = placeCaption(label, anchor, text, y, width, offset) + fh / 4;
        };
        placeLabel(categoryCaption, categoryCaptionAnchor, loadResString(284));
        const int editHeight = static_cast<int>(1.3 * fh);
        const Rect edit = Rect::fromSize(width * 7 / 100, y, width * 73 / 100, editHeight);
        ui::moveWindow(category.handle(), edit.left, edit.top - offset, edit.width(),
                       edit.height());
        platform::sendMessage(category.handle(), controls::WM_SETFONT,
                              reinterpret_cast<std::uintptr_t>(&shellSettings().mainFont()), 1);
        category.anchor.computed = edit;
        if (categoryHelp)
            ui::moveWindow(categoryHelp->handle(), width * 80 / 100,
                           y - offset + (editHeight - fh) / 2, fh, fh);
        y += editHeight + fh;
        for (cOptionsCheckRow* check : {&calEdit, &calSaveData})
            y = check->place(y, width, offset) + fh / 2;
        y += fh - fh / 4;
        placeLabel(quickCaption, quickCaptionAnchor, loadResString(299));
        for (cOptionsChoiceRow& row : quick) {
            row.placement = {7, 90, true};
            y = row.place(y, width, offset) + fh / 2;
        }
    }
    ui::invalidateRect(handle());
}

void cOptionsOperatorPage::loadValues(const OptionsValues& v) {
    operatorChoice.select(pelorvant::operatorRow(v.operatorName));
    if (!touch_)
        return;
    ui::setWindowText(category.handle(), v.calendarCategory);
    quick[0].showIndex(v.qb1);
    quick[1].showIndex(v.qb2);
    quick[2].showIndex(v.qb3);
    calEdit.setChecked(v.calEdit);
    calSaveData.setChecked(v.calSaveData);
    calSaveData.enable(v.calEdit);
}

void cOptionsOperatorPage::storeValues(OptionsValues& v) const {
    v.operatorName = operatorChoice.choice.GetSelectedText();
    if (!touch_)
        return;
    v.calendarCategory = ui::getWindowText(category.handle());
    v.qb1 = quick[0].index();
    v.qb2 = quick[1].index();
    v.qb3 = quick[2].index();
    v.calEdit = calEdit.checked();
    v.calSaveData = calSaveData.checked();
}

void cOptionsOperatorPage::OnCalEditClicked() {
    calSaveData.enable(calEdit.checked());
}

MsgResult cOptionsOperatorPage::OnHelp(std::uintptr_t code, std::intptr_t) {
    if (code == 0)
        showHelp(loadResString(194), operatorChoice.focusWindow());
    if (code == 2)
        showHelp(loadResString(285), category.handle());
    return 0;
}

void cOptionsOperatorPage::OnSetFocus() {
    ui::setFocus(operatorChoice.focusWindow());
}

const ui::MessageMapBase& cOptionsOperatorPage::messageMap() const {
    static const auto map =
        ui::MessageMap<cOptionsOperatorPage>(&cOptionsPage::messageMap())
            .message(ui::WM_CREATE, &cOptionsOperatorPage::OnCreate)
            .message(WM_IMAGEBUTTON_CLICK, &cOptionsOperatorPage::OnHelp)
            .message(ui::WM_SETFOCUS, &cOptionsOperatorPage::OnSetFocus)
            .command(kCalendarEditCheckId, &cOptionsOperatorPage::OnCalEditClicked);
    return map;
}

}  // namespace pelorvant
