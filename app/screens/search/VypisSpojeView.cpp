#include "app/screens/search/VypisSpojeView.h"

#include "app/core/DateTexts.h"
#include "app/core/EngineTexts.h"
#include "app/core/LabelPlainText.h"
#include "app/core/TextConversion.h"
#include "app/screens/progress/TabServices.h"
#include "app/screens/search/ListingRowPainter.h"
#include "app/screens/search/PercentRect.h"
#include "app/screens/search/ConnectionRow.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/controls/ListPainter.h"
#include "platform/controls/ListView.h"
#include "platform/controls/ScrollBar.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <cstdlib>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextKm = 254;
constexpr std::uint32_t kTextStop = 251;
constexpr std::uint32_t kTextArrival = 253;
constexpr std::uint32_t kTextDeparture = 252;
constexpr std::uint32_t kTextFrom = 168;
constexpr std::uint32_t kTextTo = 170;
constexpr std::uint32_t kTextDepartureLabel = 153;
constexpr std::uint32_t kTextTrip = 154;
const Rect kListDesign{0, 20, 100, 100};
const Rect kHeaderDesign{3, 2, 93, 19};

void setCell(platform::WindowHandle list, int row, int column, const std::u16string& text) {
    controls::ListItem item;
    item.mask = controls::LVIF_TEXT;
    item.item = row;
    item.subItem = column;
    item.text = text;
    platform::sendMessage(list, controls::LVM_SETITEMTEXT, static_cast<std::uintptr_t>(row),
                          reinterpret_cast<std::intptr_t>(&item));
}

}  // namespace

std::u16string kmText(std::int32_t metres) {
    if (metres < 0) return {};
    return numberText(metres / 1000 + (metres % 1000 > 500 ? 1 : 0));
}

std::vector<ListingRow> listingRows(const cRadekVypisuSpoje* rows, std::int32_t count,
                                    const std::vector<std::u16string>& stopNames) {
    std::vector<ListingRow> out;
    for (std::int32_t b = 0; b < count; ++b) {
        const cRadekVypisuSpoje& r = rows[b];
        const bool last = b + 1 == count;
        ListingRow row;
        row.stop = b < static_cast<std::int32_t>(stopNames.size()) ? stopNames[static_cast<std::size_t>(b)] : u"";
        row.km = kmText(r.distance);
        if (b > 0 && (r.arrivalMinute != r.departureMinute || last)) row.arrival = formatMinutesAsTime(r.arrivalMinute);
        if (!last) row.departure = formatMinutesAsTime(r.departureMinute);
        out.push_back(std::move(row));
    }
    return out;
}

cVypisSpojeView::cVypisSpojeView(ProgramContext& context) : cBaseView(true, true, true), context_(context) {}

bool cVypisSpojeView::createListingView(platform::WindowHandle tabPage, const Rect& rect) {
    return createView(tabPage, rect, kListingViewId);
}

MsgResult cVypisSpojeView::OnCreate(std::uintptr_t, std::intptr_t) {
    controls::registerControlClasses();
    platform::draw::FontSpec spec;
    spec.height = static_cast<int>(context_.settings->fontHeight * 0.9);
    font_ = std::make_unique<platform::draw::Font>(spec);
    const bool touch = context_.settings->isNotSmartphone;
    ui::CreateParams p;
    p.className = std::string(controls::kListViewClass);
    p.style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_BORDER | controls::LVS_REPORT |
              (touch ? controls::LVS_OWNERDRAWFIXED : controls::LVS_NOCOLUMNHEADER);
    p.rect = Rect{0, 0, 10, 10};
    p.parent = handle();
    p.id = kListingListId;
    list = ui::createWindow(p);
    platform::sendMessage(list, controls::LVM_SETEXTENDEDLISTVIEWSTYLE, controls::LVS_EX_FULLROWSELECT,
                          controls::LVS_EX_FULLROWSELECT);
    const std::uint32_t order[4] = {touch ? kTextKm : kTextStop, touch ? kTextStop : kTextArrival,
                                    touch ? kTextArrival : kTextDeparture, touch ? kTextDeparture : kTextKm};
    for (int c = 0; c < 4; ++c) {
        controls::ListColumn column;
        column.text = loadResString(order[c]);
        platform::sendMessage(list, controls::LVM_INSERTCOLUMN, static_cast<std::uintptr_t>(c),
                              reinterpret_cast<std::intptr_t>(&column));
    }
    header.createList(handle(), Rect{0, 0, 10, 10}, kListingHeaderId);
    return 0;
}

bool cVypisSpojeView::FillListing(const cUsekSpojeni& leg, int view) {
    returnView = view;
    platform::sendMessage(list, controls::LVM_DELETEALLITEMS, 0, 0);
    TabServices* tab = parentTabServices(handle());
    const std::int32_t set = tab ? tab->setIndex() : -1;
    cRadekVypisuSpoje* rows = nullptr;
    std::int32_t count = 0;
    if (context_.api->api_getVysledekHledani_VypisSpoje(set, &leg, &rows, &count) != ENGINE_OK || rows == nullptr) {
        return false;
    }
    const EngineTexts texts(*context_.api);
    std::vector<std::u16string> names;
    for (std::int32_t b = 0; b < count; ++b) names.push_back(texts.getZastavkaSPoznamkami(set, leg.timetable, rows[b].stop));
    std::vector<ListingRow> listed = listingRows(rows, count, names);
    const std::u16string tripDeparture = count > 0 ? formatMinutesAsTime(rows[0].departureMinute) : u"";
    for (std::int32_t b = 0; b < count; ++b) {
        std::free(rows[b].stopNotes);
        std::free(rows[b].passageNotes);
    }
    std::free(rows);

    const int board = leg.boardPosition == 255 ? 0 : leg.boardPosition;
    const int alight = leg.alightPosition == 255 ? static_cast<int>(listed.size()) - 1 : leg.alightPosition;
    showRows(std::move(listed), board, alight, tripDeparture,
             texts.getNazevLinky(set, leg.timetable, static_cast<std::int32_t>(leg.trip)));
    return true;
}

void cVypisSpojeView::showRows(std::vector<ListingRow> rows, int board, int alight, const std::u16string& tripDeparture,
                               const std::u16string& lineName) {
    shown = std::move(rows);
    boardRow = board;
    alightRow = alight;
    platform::sendMessage(list, controls::LVM_DELETEALLITEMS, 0, 0);
    const bool touch = context_.settings->isNotSmartphone;
    for (int b = 0; b < static_cast<int>(shown.size()); ++b) {
        const ListingRow& row = shown[static_cast<std::size_t>(b)];
        controls::ListItem item;
        item.mask = controls::LVIF_TEXT;
        item.item = b;
        item.text = touch ? row.km : row.stop;
        platform::sendMessage(list, controls::LVM_INSERTITEM, 0, reinterpret_cast<std::intptr_t>(&item));
        setCell(list, b, 1, touch ? row.stop : row.arrival);
        setCell(list, b, 2, touch ? row.arrival : row.departure);
        setCell(list, b, 3, touch ? row.departure : row.km);
    }
    if (boardRow >= 0 && boardRow < static_cast<int>(shown.size())) {
        controls::ListItem state;
        state.state = controls::LVIS_SELECTED | controls::LVIS_FOCUSED;
        state.stateMask = state.state;
        platform::sendMessage(list, controls::LVM_SETITEMSTATE, static_cast<std::uintptr_t>(boardRow),
                              reinterpret_cast<std::intptr_t>(&state));
        platform::sendMessage(list, controls::LVM_SETSELECTIONMARK, 0, boardRow);
        platform::sendMessage(list, controls::LVM_ENSUREVISIBLE, static_cast<std::uintptr_t>(boardRow), 0);
    }
    // The header wraps its text at its width when the text is set: it is placed first.
    const Rect client = ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
    const int small = static_cast<int>(context_.settings->fontHeight * 0.8);
    const std::u16string first = shown.empty() ? u"" : plainLabelText(shown.front().stop);
    const std::u16string last = shown.empty() ? u"" : plainLabelText(shown.back().stop);
    header.SetText(u"<*" + numberText(small) + u"*><*b*>" + loadResString(kTextFrom) + u"<*b*> " + first + u"\r<*b*>" +
                   loadResString(kTextTo) + u"<*b*> " + last + u"\r<*b*>" + loadResString(kTextDepartureLabel) +
                   u"<*b*> " + tripDeparture + u"\t<*b*>" + loadResString(kTextTrip) + u"<*b*> " +
                   plainLabelText(lineName));
    Layout(0, client.width(), client.height());
}

void cVypisSpojeView::setColumns() {
    // The list's scroll bar stands inside its client area: the columns share what it leaves.
    int bar = 0;
    for (const platform::WindowHandle child : ui::getChildren(list)) {
        if (ui::getClassName(child) == controls::kScrollBarClass && (ui::getStyle(child) & ui::WS_VISIBLE) &&
            (ui::getStyle(child) & controls::SBS_VERT)) {
            bar = ui::getWindowRect(child).width();
        }
    }
    const Rect client = ui::getClientRect(list);
    const int w = client.width() - bar;
    const int t = font_->measure(u"00:00").width;
    const int tt = static_cast<int>(t * 1.1);
    const int d = platform::draw::Font::defaultFont().metrics().height;
    const int f = context_.settings->fontHeight > 0 ? context_.settings->fontHeight : 1;
    int widths[4];
    if (context_.settings->isNotSmartphone) {
        // Never narrower than a time: a small default font would cut the times off.
        const int u = std::max(tt + 4, static_cast<int>(static_cast<double>(d) / f * t * 1.4));
        widths[0] = tt;
        widths[2] = widths[3] = u;
        widths[1] = w - 2 * u - tt;
    } else {
        // The times take what a time needs and the kilometres what the longest distance needs;
        // the stop name has the rest. (Wider columns would leave the names too little room on
        // a phone.)
        int km = font_->measure(u"0").width;
        for (const ListingRow& row : shown) km = std::max(km, font_->measure(row.km).width);
        widths[1] = widths[2] = tt + 2 * controls::kListTextInset;
        widths[3] = km + 2 * controls::kListTextInset;
        widths[0] = w - widths[1] - widths[2] - widths[3];
    }
    for (int c = 0; c < 4; ++c) {
        platform::sendMessage(list, controls::LVM_SETCOLUMNWIDTH, static_cast<std::uintptr_t>(c), widths[c]);
    }
    if (!context_.settings->isNotSmartphone) {
        // The system draws these rows and cuts a long name through a letter: it is shortened
        // to its column instead.
        const int room = widths[0] - 2 * controls::kListTextInset;
        for (int b = 0; b < static_cast<int>(shown.size()); ++b) {
            setCell(list, b, 0, fittedText(*font_, shown[static_cast<std::size_t>(b)].stop, room));
        }
    }
}

void cVypisSpojeView::Layout(unsigned, int width, int height) {
    if (width <= 0 || height <= 0 || list == platform::kNullWindow) return;
    const Rect headerRect = percentToPixels(kHeaderDesign, width, height);
    const Rect listRect = percentToPixels(kListDesign, width, height);
    platform::sendMessage(list, controls::WM_SETFONT, reinterpret_cast<std::uintptr_t>(font_.get()), 1);
    ui::moveWindow(header.handle(), headerRect.left, headerRect.top, headerRect.width(), headerRect.height());
    if (shown.empty()) header.SetText(u"<*" + numberText(static_cast<int>(context_.settings->fontHeight * 0.8)) + u"*>a\ra\ra");
    const int headerHeight = header.GetTextHeight();
    ui::moveWindow(header.handle(), headerRect.left, headerRect.top, headerRect.width(), headerHeight);
    const int top = headerRect.top + headerHeight;
    ui::moveWindow(list, listRect.left, top, listRect.width(), height - top);
    setColumns();
    ui::invalidateRect(handle());
}

MsgResult cVypisSpojeView::OnDrawItem(std::uintptr_t, std::intptr_t lParam) {
    const auto* item = reinterpret_cast<const controls::DrawItem*>(lParam);
    if (item == nullptr || item->dc == nullptr || item->window != list || item->itemId < 0 ||
        item->itemId >= static_cast<int>(shown.size())) {
        return 0;
    }
    const ListingRow& row = shown[static_cast<std::size_t>(item->itemId)];
    ListingRowLook look;
    look.cells = {row.km, row.stop, row.arrival, row.departure};
    look.align = {platform::draw::kTextLeft, platform::draw::kTextLeft, platform::draw::kTextCenter,
                  platform::draw::kTextCenter};
    for (std::size_t c = 0; c < look.widths.size(); ++c) {
        look.widths[c] = static_cast<int>(platform::sendMessage(list, controls::LVM_GETCOLUMNWIDTH, c, 0));
    }
    look.selected = (item->itemState & controls::ODS_SELECTED) != 0;
    look.ridden = item->itemId >= boardRow && item->itemId <= alightRow;
    look.inset = 2 * (context_.settings->highResolution ? 1 : 0) + 2;
    const platform::draw::Font* oldFont = item->dc->selectFont(font_.get());
    drawListingRow(*item->dc, item->rcItem, look);
    item->dc->selectFont(oldFont);
    return 1;
}

void cVypisSpojeView::menuOkClick() {
    if (TabServices* tab = parentTabServices(handle())) tab->showView(returnView, -2);
    if (focusBefore_ != platform::kNullWindow && ui::isUiWindow(focusBefore_)) ui::setFocus(focusBefore_);
}

MsgResult cVypisSpojeView::OnSetFocusFrom(std::uintptr_t from, std::intptr_t) {
    focusBefore_ = static_cast<platform::WindowHandle>(from);
    ui::setFocus(list);
    ui::invalidateRect(handle());
    return 0;
}

const platform::ui::MessageMapBase& cVypisSpojeView::messageMap() const {
    static const auto map = platform::ui::MessageMap<cVypisSpojeView>(&cBaseView::messageMap())
                                .message(ui::WM_CREATE, &cVypisSpojeView::OnCreate)
                                .message(ui::WM_SETFOCUS, &cVypisSpojeView::OnSetFocusFrom)
                                .message(controls::WM_DRAWITEM, &cVypisSpojeView::OnDrawItem)
                                .command(kCommandListingOk, &cVypisSpojeView::menuOkClick)
                                .command(1, &cVypisSpojeView::menuOkClick);
    return map;
}

}  // namespace pelorvant
