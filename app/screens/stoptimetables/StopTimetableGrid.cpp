#include "app/screens/stoptimetables/StopTimetableGrid.h"

#include "app/core/TextConversion.h"
#include "app/shell/BufferedPaint.h"
#include "app/screens/stoptimetables/StopTimetableTexts.h"

#include "platform/controls/ScrollBar.h"
#include "platform/draw/DeviceContext.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pelorvant {

namespace ui = platform::ui;
namespace draw = platform::draw;
using platform::MsgResult;

namespace {

constexpr draw::Color kWhite = draw::rgb(255, 255, 255);
constexpr draw::Color kBlack = draw::rgb(0, 0, 0);

std::u16string minuteText(int minute) {
    std::string s = (minute < 10 ? "0" : "") + std::to_string(minute);
    return {s.begin(), s.end()};
}

}  // namespace

void cStopTimetableGrid::setData(const StDayGroup* group, GridFonts fonts, int currentHour) {
    group_ = group;
    fonts_ = fonts;
    relayout();
    selection_ = {0, std::clamp(currentHour, 0, 23)};
    ScrollTo(geometry_->rowTop(selection_.row));
}

int cStopTimetableGrid::usableWidth() const {
    return ui::getClientRect(handle()).width() - scrollBarWidth();
}

GridTextWidths cStopTimetableGrid::textWidths() const {
    GridTextWidths w;
    if (fonts_.main != nullptr) {
        for (char16_t d = u'0'; d <= u'9'; ++d)
            w.digit = std::max(w.digit, fonts_.main->measure(std::u16string(1, d)).width);
    }
    if (fonts_.small == nullptr || group_ == nullptr)
        return w;
    // Only the letters this grid shows: a grid without notes keeps its cells narrow.
    std::vector<std::int32_t> measured;
    for (const auto& row : group_->hours) {
        for (const StDeparture& d : row) {
            if (d.note < 0 || std::find(measured.begin(), measured.end(), d.note) != measured.end())
                continue;
            measured.push_back(d.note);
            w.letter = std::max(w.letter, fonts_.small->measure(noteLetter(d.note)).width);
        }
    }
    return w;
}

void cStopTimetableGrid::relayout() {
    std::array<int, 24> counts{};
    if (group_ != nullptr) {
        for (std::size_t h = 0; h < 24; ++h) counts[h] = static_cast<int>(group_->hours[h].size());
    }
    spacing_ = gridSpacing(fonts_.height, fonts_.smallHeight, textWidths());
    geometry_.emplace(fonts_.height, spacing_.columns, usableWidth(), counts);
    SetContentHeight(geometry_->contentHeight());
    // The hour asked to be at the top stays asked for: a new size wraps the hours into other
    // numbers of lines and ends the content elsewhere, so a kept pixel offset would show another
    // hour (the grid is first filled while its window is still tiny).
    ScrollTo(geometry_->rowTop(topHour_));
}

void cStopTimetableGrid::ScrollTo(int position) {
    if (const std::optional<GridCell> top = geometry_->hit(0, std::max(0, position))) {
        topHour_ = top->row;
    } else if (position >= geometry_->contentHeight()) {
        topHour_ = 23;
    }
    const int visible = ui::getClientRect(handle()).height();
    const int limit = std::max(0, geometry_->contentHeight() - visible);
    const int target = std::clamp(position, 0, limit);
    if (scrollBarVisible()) {
        platform::controls::ScrollInfo pos;
        pos.mask = platform::controls::SIF_POS;
        pos.pos = target;
        platform::controls::setScrollInfo(scrollBar, pos, true);
    }
    cScrollList::ScrollTo(target);
}

const StDeparture* cStopTimetableGrid::selectedDeparture() const {
    if (group_ == nullptr || selection_.column < 1) return nullptr;
    const auto& row = group_->hours[static_cast<std::size_t>(selection_.row)];
    const auto index = static_cast<std::size_t>(selection_.column - 1);
    return index < row.size() ? &row[index] : nullptr;
}

void cStopTimetableGrid::select(GridCell cell) {
    selection_ = cell;
    ui::invalidateRect(handle(), nullptr, false);
}

void cStopTimetableGrid::scrollSelectionIntoView() {
    const int visible = ui::getClientRect(handle()).height();
    const int top = geometry_->rowTop(selection_.row);
    const int bottom = top + geometry_->rowHeight(selection_.row);
    if (top < scrollPos) {
        ScrollTo(top);
    } else if (bottom > scrollPos + visible) {
        ScrollTo(std::min(top, bottom - visible));
    }
}

void cStopTimetableGrid::open() {
    if (const StDeparture* d = selectedDeparture(); d != nullptr && onOpen) onOpen(*d);
}

void cStopTimetableGrid::paintInto(draw::Bitmap& target) const {
    draw::DeviceContext dc(target);
    const draw::Rect all{0, 0, target.width(), target.height()};
    dc.fillRect(all, kWhite);
    const HourGridGeometry& g = *geometry_;
    const int h = g.lineHeight();
    const int line = g.hourWidth();
    dc.setBkMode(draw::BackgroundMode::Transparent);
    dc.setTextColor(kBlack);
    for (int hour = 0; hour < 24; ++hour) {
        const int top = g.rowTop(hour) - scrollPos;
        if (top >= target.height()) break;
        if (top + g.rowHeight(hour) <= 0) continue;
        dc.selectFont(fonts_.main);
        draw::Rect hourCell = g.hourRect(hour).offset(0, -scrollPos);
        if (selection_.column == 0 && selection_.row == hour) dc.fillRect(hourCell, kGridSelectionColor);
        hourCell.bottom = hourCell.top + h;
        hourCell.right -= spacing_.gap;
        dc.drawText(numberText(hour), hourCell, draw::kTextRight | draw::kTextSingleLine);
        if (group_ == nullptr) continue;
        const auto& row = group_->hours[static_cast<std::size_t>(hour)];
        for (int i = 0; i < g.count(hour); ++i) {
            const draw::Rect cell = g.departureRect(hour, i).offset(0, -scrollPos);
            if (cell.bottom <= 0 || cell.top >= target.height()) continue;
            if (selection_.row == hour && selection_.column == i + 1) dc.fillRect(cell, kGridSelectionColor);
            const StDeparture& d = row[static_cast<std::size_t>(i)];
            draw::Rect minuteCell = cell;
            minuteCell.right -= spacing_.letterRoom;
            dc.selectFont(fonts_.main);
            dc.drawText(minuteText(d.minute), minuteCell, draw::kTextRight | draw::kTextSingleLine);
            if (d.note >= 0) {
                dc.selectFont(fonts_.small);
                const draw::Rect letterCell{minuteCell.right, cell.top, cell.right, cell.bottom};
                dc.drawText(noteLetter(d.note), letterCell, draw::kTextRight | draw::kTextSingleLine);
            }
        }
    }
    dc.fillRect(draw::Rect{line, 0, line + 1, target.height()}, kBlack);
}

void cStopTimetableGrid::OnPaint() {
    paintBuffered(handle(), [this](draw::Bitmap& buffer) { paintInto(buffer); },
                  scrollBarVisible() ? scrollBarWidth() : 0);
}

MsgResult cStopTimetableGrid::OnKeyDown(std::uintptr_t vk, std::intptr_t) {
    const HourGridGeometry& g = *geometry_;
    switch (vk) {
        case ui::VK_RIGHT: select(g.right(selection_)); break;
        case ui::VK_LEFT: select(g.left(selection_)); break;
        case ui::VK_DOWN: select(g.down(selection_)); break;
        case ui::VK_UP: select(g.up(selection_)); break;
        case ui::VK_RETURN: open(); return 0;
        default: return 0;
    }
    scrollSelectionIntoView();
    return 0;
}

std::optional<GridCell> cStopTimetableGrid::cellAt(std::intptr_t lParam) const {
    return geometry_->hit(ui::xOfLParam(lParam), ui::yOfLParam(lParam) + scrollPos);
}

MsgResult cStopTimetableGrid::OnTap(std::uintptr_t wParam, std::intptr_t lParam) {
    ui::setFocus(handle());
    if (const auto cell = cellAt(lParam)) select(*cell);
    return OnFingerDown(wParam, lParam);
}

MsgResult cStopTimetableGrid::OnDoubleTap(std::uintptr_t, std::intptr_t lParam) {
    if (const auto cell = cellAt(lParam)) {
        select(*cell);
        open();
    }
    return 0;
}

MsgResult cStopTimetableGrid::OnSize(std::uintptr_t, std::intptr_t) {
    relayout();
    return 0;
}

const ui::MessageMapBase& cStopTimetableGrid::messageMap() const {
    static const auto map = ui::MessageMap<cStopTimetableGrid>(&cScrollList::messageMap())
                                .message(ui::WM_PAINT, &cStopTimetableGrid::OnPaint)
                                .message(ui::WM_ERASEBKGND, &cStopTimetableGrid::OnEraseBackground)
                                .message(ui::WM_KEYDOWN, &cStopTimetableGrid::OnKeyDown)
                                .message(ui::WM_LBUTTONDOWN, &cStopTimetableGrid::OnTap)
                                .message(ui::WM_LBUTTONDBLCLK, &cStopTimetableGrid::OnDoubleTap)
                                .message(ui::WM_SIZE, &cStopTimetableGrid::OnSize);
    return map;
}

}  // namespace pelorvant
