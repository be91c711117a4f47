#include "app/shell/DateTimeField.h"

#include "app/core/PrivateMessages.h"
#include "app/shell/DateTimeEditing.h"
#include "app/shell/DateTimeValue.h"
#include "app/shell/FieldControls.h"
#include "app/shell/FieldLook.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

#include <string>
#include <vector>

namespace pelorvant {

namespace ui = platform::ui;
namespace draw = platform::draw;
using platform::MsgResult;

namespace {

std::u16string twoDigits(int value) {
    const int v = value < 0 ? 0 : value % 100;
    return {static_cast<char16_t>(u'0' + v / 10), static_cast<char16_t>(u'0' + v % 10)};
}

struct Piece {
    std::u16string text;
    int position;  // the digit's position, -1 for separators
};

std::vector<Piece> piecesOf(const DateTimeParts& p, bool timeShown) {
    std::vector<Piece> pieces;
    auto digits = [&](int value, int position) {
        const std::u16string t = twoDigits(value);
        pieces.push_back({t.substr(0, 1), position});
        pieces.push_back({t.substr(1, 1), position + 1});
    };
    if (timeShown) {
        digits(p.hour, 0);
        pieces.push_back({u":", -1});
        digits(p.minute, 2);
        pieces.push_back({u"0", -2});  // a gap of one "0" width
    }
    digits(p.day, 4);
    pieces.push_back({u".", -1});
    digits(p.month, 6);
    pieces.push_back({u".", -1});
    const std::string century = p.year < 10 ? "00" : std::to_string(p.year / 100);
    pieces.push_back({std::u16string(century.begin(), century.end()), -1});
    digits(p.year % 100, 8);
    return pieces;
}

}  // namespace

cDateTimeField::cDateTimeField(int order, bool showTime)
    : timeShown(showTime), focusOrder(order), parts(partsFromTime(currentTime())) {}

int cDateTimeField::fontHeightFor() {
    const ShellSettings& s = shellSettings();
    const int highRes = s.highResolution() ? 1 : 0;
    const int touch = s.touchFriendly() ? 1 : 0;
    return static_cast<int>(s.fontHeight() * (1.0 + 0.2 * (highRes + 1) * touch));
}

bool cDateTimeField::createField(platform::WindowHandle parent, const Rect& rect) {
    font = makeVerdana(fontHeightFor());
    return create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, rect, parent, kDateTimeFieldId));
}

int cDateTimeField::valueWidth() const {
    const int zero = font->measure(u"0").width;
    int width = zero / 5;
    for (const Piece& piece : piecesOf(parts, timeShown))
        width += piece.position == -2 ? zero : font->measure(piece.text).width;
    return width + zero / 5;
}

void cDateTimeField::fitFont(int width, int height) {
    constexpr int kSmallestFont = 6;
    for (int h = fontHeightFor(); h >= kSmallestFont; --h) {
        font = makeVerdana(h);
        if (valueWidth() <= width && font->metrics().height <= height) break;
    }
    ui::invalidateRect(handle());
}

void cDateTimeField::redraw() {
    ui::invalidateRect(handle());
    ui::invalidateRect(ui::getParent(handle()));
}

void cDateTimeField::moveFocus(bool backwards) {
    const platform::WindowHandle spin = ui::getParent(handle());
    platform::sendMessage(ui::getParent(spin), WM_MOVE_FOCUS, backwards ? 1 : 0, focusOrder);
}

void cDateTimeField::stepCurrent(bool up) {
    stepField(parts, position, up);
    redraw();
}

void cDateTimeField::openCalendar() {
    calendar.open(handle(), parts);
}

MsgResult cDateTimeField::OnKeyDown(std::uintptr_t key, std::intptr_t) {
    const bool touch = touchScreen();
    if (key == ui::VK_TAB) {
        moveFocus(false);
        return 0;
    }
    if (key == ui::VK_RETURN) {
        openCalendar();
        return 0;
    }
    if (key >= ui::VK_0 && key <= ui::VK_0 + 9) {
        const int digit = static_cast<int>(key - ui::VK_0);
        position = touch ? writeDigitTouch(parts, position, digit)
                         : writeDigitKeypad(parts, position, digit);
        redraw();
        return 0;
    }
    switch (key) {
        case ui::VK_UP:
            if (touch) {
                stepCurrent(true);
            } else {
                moveFocus(true);
            }
            break;
        case ui::VK_DOWN:
            if (touch) {
                stepCurrent(false);
            } else {
                moveFocus(false);
            }
            break;
        case ui::VK_LEFT:
            position =
                touch ? jumpPreviousField(position, timeShown) : moveLeft(position, timeShown);
            redraw();
            break;
        case ui::VK_RIGHT:
            position = touch ? jumpNextField(position) : moveRight(position, false);
            redraw();
            break;
        default:
            break;
    }
    return 0;
}

MsgResult cDateTimeField::OnTap(std::uintptr_t, std::intptr_t lParam) {
    ui::setFocus(handle());
    const int w = font->measure(u"0").width;
    const int d = font->measure(u".").width;
    position = positionFromTap(ui::xOfLParam(lParam), w, d, timeShown);
    redraw();
    return 0;
}

MsgResult cDateTimeField::OnDoubleTap(std::uintptr_t, std::intptr_t) {
    openCalendar();
    return 0;
}

MsgResult cDateTimeField::OnDatePicked(std::uintptr_t packed, std::intptr_t) {
    int day = 0;
    int month = 0;
    int year = 0;
    unpackPickedDate(packed, day, month, year);
    DateTimeParts picked = parts;
    if (!isValidParts(parts)) {
        picked.hour = -1;
        picked.minute = -1;
    }
    picked.day = day;
    picked.month = month;
    picked.year = year;
    // Refilled through a time value, as the platform would normalise it.
    const std::time_t time = timeFromParts(picked);
    DateTimeParts refilled = partsFromTime(time);
    if (time == static_cast<std::time_t>(-1))
        refilled = picked;
    parts = refilled;
    ui::setFocus(handle());
    redraw();
    return 0;
}

void cDateTimeField::OnSetFocus() {
    focused = true;
    position = focusPosition(timeShown);
    redraw();
}

void cDateTimeField::OnKillFocus() {
    focused = false;
    redraw();
}

void cDateTimeField::OnPaint() {
    ui::PaintContext paint(handle());
    draw::DeviceContext& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    dc.fillRect(client, kWhite);
    const bool touch = touchScreen();
    if (focused || touch) {
        drawFrame(dc, client, shellSettings().highResolution() ? 2 : 1);
    }
    dc.selectFont(font.get());
    dc.setBkMode(draw::BackgroundMode::Transparent);
    const int textHeight = font->metrics().height;
    const int y = (client.height() - textHeight) / 2;
    const int zero = font->measure(u"0").width;
    int x = zero / 5;
    for (const Piece& piece : piecesOf(parts, timeShown)) {
        const int width = font->measure(piece.text).width;
        if (piece.position == -2) {
            x += zero;
            continue;
        }
        const bool current =
            focused && piece.position >= 0 &&
            (touch ? piece.position / 2 == position / 2 : piece.position == position);
        if (current) {
            dc.fillRect(Rect::fromSize(x, y, width, textHeight), kSelectionColor);
        }
        dc.setTextColor(current ? kWhite : kBlack);
        dc.textOut(x, y, piece.text);
        x += width;
    }
}

const ui::MessageMapBase& cDateTimeField::messageMap() const {
    static const auto map = ui::MessageMap<cDateTimeField>(&WindowObject::messageMap())
                                .message(ui::WM_KEYDOWN, &cDateTimeField::OnKeyDown)
                                .message(ui::WM_LBUTTONDOWN, &cDateTimeField::OnTap)
                                .message(ui::WM_LBUTTONDBLCLK, &cDateTimeField::OnDoubleTap)
                                .message(WM_DATE_PICKED, &cDateTimeField::OnDatePicked)
                                .message(ui::WM_SETFOCUS, &cDateTimeField::OnSetFocus)
                                .message(ui::WM_KILLFOCUS, &cDateTimeField::OnKillFocus)
                                .message(ui::WM_PAINT, &cDateTimeField::OnPaint);
    return map;
}

}  // namespace pelorvant
