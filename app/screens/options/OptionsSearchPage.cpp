#include "app/screens/options/OptionsSearchPage.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/ShellSettings.h"

#include "platform/resources/StringTable.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

// Wide enough for "18 hod." on the narrowest screen.
constexpr RowPlacement kWideChoice{7, 60};
constexpr std::uint32_t kHelpTexts[] = {198, 264, 265, 266, 267, 268, 269, 367};

}  // namespace

cOptionsSearchPage::cOptionsSearchPage(int ownerViewId)
    : connections(0, ownerViewId, loadResString(201), 0, kWideChoice),
      standardWindow(1, ownerViewId, loadResString(209), 1, kWideChoice),
      maximumWindow(2, ownerViewId, loadResString(210), 2, kWideChoice),
      transferAtVia(3, ownerViewId, loadResString(205), 3, kWideChoice),
      minimumTransfer(4, ownerViewId, loadResString(206), 4, kWideChoice),
      safeTransfer(5, ownerViewId, loadResString(207), 5, kWideChoice),
      penalty(6, ownerViewId, loadResString(208), 6, kWideChoice),
      transfers(7, ownerViewId, loadResString(366), 7, kWideChoice) {}

std::array<cOptionsChoiceRow*, 8> cOptionsSearchPage::rows() {
    return {&connections,     &standardWindow, &maximumWindow, &transferAtVia,
            &minimumTransfer, &safeTransfer,   &penalty,       &transfers};
}

MsgResult cOptionsSearchPage::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    cOptionsPage::OnCreate(wParam, lParam);
    heading.create(handle());
    for (cOptionsChoiceRow* row : rows())
        row->create(*this, kOptionsChoiceId, help_.view, help_.listMenu);
    connections.setRows(connectionCountRows());
    standardWindow.setRows(intervalRows());
    maximumWindow.setRows(intervalRows());
    transferAtVia.setItems({loadResString(350), loadResString(351)});
    minimumTransfer.setRows(minimumTransferRows());
    safeTransfer.setRows(safeTransferRows());
    penalty.setRows(transferPenaltyRows());
    std::vector<std::u16string> counts;
    for (int i = 0; i <= 10; ++i)
        counts.push_back(decimalText(i));
    transfers.setItems(counts);
    connections.select(kDefaultConnectionCountRow);
    return 0;
}

void cOptionsSearchPage::Layout(unsigned, int, int) {
    UpdateScrollLayout();
    SetContentHeight(transfers.choice.anchor.computed.bottom + 2 * shellSettings().fontHeight());
    UpdateScrollLayout();
}

void cOptionsSearchPage::UpdateScrollLayout() {
    const int width = usableWidth();
    const int fh = shellSettings().fontHeight();
    const int top = fh / 4;
    int y = heading.place(top, width, scrollOffset());
    for (cOptionsChoiceRow* row : rows())
        y = row->place(y, width, scrollOffset()) + fh;
    // The heading belongs to the first row's caption: moving back up to the first choice
    // scrolls it into view too.
    if (!heading.title().empty())
        connections.captionAnchor.computed.top = top;
    ui::invalidateRect(handle());
}

void cOptionsSearchPage::loadRecord(SetSearchParams& record) {
    record_ = &record;
    const SearchValues& v = record.edited;
    standardWindow.showValue(intervalRows(), v.stanpmh);
    maximumWindow.showValue(intervalRows(), v.maxpmh);
    minimumTransfer.showValue(minimumTransferRows(), v.minpmp);
    safeTransfer.showValue(safeTransferRows(), v.bezppmh);
    penalty.showValue(transferPenaltyRows(), v.penzp);
    // The number of connections is found by its text; one no row carries shows "9".
    connections.select(
        rowEqualTo(connectionCountRows(), v.smartListItems).value_or(kDefaultConnectionCountRow));
    transferAtVia.select(yesNoRow(v.prvpres));
    transfers.showIndex(v.maxpres);
}

void cOptionsSearchPage::storeRecord() {
    if (record_ == nullptr)
        return;
    SearchValues& v = record_->edited;
    v.stanpmh = standardWindow.value(intervalRows());
    v.maxpmh = maximumWindow.value(intervalRows());
    v.minpmp = minimumTransfer.value(minimumTransferRows());
    v.bezppmh = safeTransfer.value(safeTransferRows());
    v.penzp = penalty.value(transferPenaltyRows());
    v.maxpres = transfers.index();
    v.smartListItems = connections.value(connectionCountRows());
    v.prvpres = yesFromRow(transferAtVia.selected());
    record_ = nullptr;
}

MsgResult cOptionsSearchPage::OnHelp(std::uintptr_t code, std::intptr_t) {
    if (code < std::size(kHelpTexts))
        showHelp(loadResString(kHelpTexts[code]), rows()[code]->focusWindow());
    return 0;
}

void cOptionsSearchPage::OnSetFocus() {
    ui::setFocus(connections.focusWindow());
}

const ui::MessageMapBase& cOptionsSearchPage::messageMap() const {
    static const auto map = ui::MessageMap<cOptionsSearchPage>(&cOptionsPage::messageMap())
                                .message(ui::WM_CREATE, &cOptionsSearchPage::OnCreate)
                                .message(WM_IMAGEBUTTON_CLICK, &cOptionsSearchPage::OnHelp)
                                .message(ui::WM_SETFOCUS, &cOptionsSearchPage::OnSetFocus);
    return map;
}

}  // namespace pelorvant
