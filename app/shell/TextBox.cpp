#include "app/shell/TextBox.h"

#include "app/core/Cp1250.h"
#include "app/core/ExceptionExit.h"
#include "app/core/PrivateMessages.h"
#include "app/core/TextConversion.h"
#include "app/shell/FieldControls.h"
#include "app/shell/FieldLook.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MenuFromTemplate.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/PopupMenu.h"
#include "platform/ui/Capture.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;

namespace {

std::u16string placeholderText() {
    return platform::resources::loadResString(kTextGpsPlaceholder);
}

}  // namespace

cTextBox::cTextBox(int order, platform::WindowHandle hint, bool gps, ObjectNames& objectNames)
    : names(objectNames),
      gpsFlag(gps),
      edit(*this),
      display(*this),
      slots(kSuggestionSlots),
      favourites(kFavouriteSlots),
      useT9(shellSettings().useT9()),
      editMode(deviceTypesText()),
      list(*this),
      focusOrder(order),
      hintParent(hint) {
    edit.gpsFlag = gps;
}

bool cTextBox::deviceTypesText() {
    const ShellSettings& s = shellSettings();
    return touchScreen() || s.standardQwerty() ||
           (s.landscapeQwerty() && s.orientation() == kOrientationLandscape);
}

bool cTextBox::createBox(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id) {
    return create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, rect, parent, id));
}

MsgResult cTextBox::OnCreate(std::uintptr_t, std::intptr_t) {
    font = makeVerdana(shellSettings().fontHeight());
    const Rect client = ui::getClientRect(handle());
    display.createDisplay(handle(), ui::getDlgCtrlId(handle()));
    ui::moveWindow(display.handle(), 0, 0, std::max(client.width() - 30, 1), client.height());
    if (touchScreen()) {
        clearButton = createPushButton(handle(), u"X", kClearButtonId);
    }
    edit.createEdit(handle());
    platform::sendMessage(edit.handle(), controls::WM_SETFONT,
                          reinterpret_cast<std::uintptr_t>(font.get()), 0);
    list.createSuggestions(ui::getParent(handle()), hintParent == platform::kNullWindow
                                                        ? ui::getParent(handle())
                                                        : hintParent);
    setEditText(u"");
    resetInput();
    return 0;
}

MsgResult cTextBox::OnSize(std::uintptr_t, std::intptr_t) {
    Layout();
    return 0;
}

void cTextBox::Layout() {
    const Rect client = ui::getClientRect(handle());
    const int w = client.width();
    const int h = client.height();
    const ShellSettings& s = shellSettings();
    const int fh = s.fontHeight();
    if (touchScreen()) {
        ui::moveWindow(clearButton, w - h, 0, h, h);
        auto small = makeVerdana(fh * 9 / 10);
        int reserve = static_cast<int>(1.5 * small->measure(u"T9").width);
        if (s.touchFriendly())
            reserve *= 2;
        // A box that may stand for the GPS position gives its edit the inside of the frame,
        // where the placeholder has room for two lines when one would be too small to read; a
        // typed line stays centred in it as in the one line of any other box.
        const int frame = s.highResolution() ? 2 : 1;
        const int lineHeight = std::min(font->metrics().height, h);
        const int editHeight = gpsFlag ? std::max(h - 2 * frame, lineHeight) : lineHeight;
        ui::moveWindow(edit.handle(), s.highResolution() ? 3 : 2, (h - editHeight) / 2,
                       std::max(w - h - 1 - reserve, 1), editHeight);
    } else {
        // A keypad phone that types text: the edit inside the frame, left of the drop-down mark.
        const int frame = s.highResolution() ? 2 : 1;
        const int mark = static_cast<int>(0.36 * h) + fh / 3;
        ui::moveWindow(edit.handle(), frame + 1, frame, std::max(w - mark - 2 * frame - 2, 1),
                       std::max(h - 2 * frame, 1));
    }
    ui::moveWindow(display.handle(), 1, 1, std::max(w - 2, 1), std::max(h - 2, 1));
    const Rect inParent = ui::getWindowRectInParent(handle());
    ui::moveWindow(list.handle(), inParent.left, inParent.bottom, inParent.width(), listHeight);
    setEditMode(editMode);
}

void cTextBox::setEditMode(bool on) {
    const platform::WindowHandle focus = ui::getFocus();
    const bool focused = focus != platform::kNullWindow &&
                         (focus == handle() || focus == edit.handle() || focus == display.handle());
    editMode = on;
    ui::showWindow(edit.handle(), on ? ui::SW_SHOW : ui::SW_HIDE);
    ui::showWindow(display.handle(), on ? ui::SW_HIDE : ui::SW_SHOW);
    // The focus stays in the box, now in the child that takes the input.
    if (focused)
        ui::setFocus(on ? edit.handle() : display.handle());
    ui::invalidateRect(handle());
}

void cTextBox::setGpsFlag(bool on) {
    const bool changed = gpsFlag != on;
    gpsFlag = on;
    edit.gpsFlag = on;
    if (changed && handle() != platform::kNullWindow) Layout();
    // An empty box shows the placeholder from now on, or no longer.
    if (changed && text.empty() && chosen.count == 0)
        SetText(u"", true);
}

void cTextBox::setEditText(std::u16string_view value) {
    textSet = true;
    ui::setWindowText(edit.handle(), value);
    // The edit reports every change of its text; a window that stayed silent leaves no flag.
    textSet = false;
    ui::invalidateRect(display.handle());
}

std::u16string cTextBox::editText() const {
    return ui::getWindowText(edit.handle());
}

void cTextBox::SetText(std::u16string_view value, bool allowGps) {
    text = std::u16string(value);
    gpsEntry = text.empty() && gpsFlag && allowGps;
    if (gpsEntry) {
        setEditText(placeholderText());
    } else {
        setEditText(text);
    }
    ui::invalidateRect(handle());
}

void cTextBox::clearText(bool reset) {
    platform::sendMessage(edit.handle(), controls::EM_SETSEL, static_cast<std::uintptr_t>(-1), 0);
    display.setSelection(0, 0);
    if (reset) {
        resetInput();
        SetText(u"", true);
        selection = -1;
        // An emptied box has no suggestions: the next single match is chosen again.
        candidateCount = 0;
        chosen.clear();
    }
    ui::invalidateRect(handle());
}

void cTextBox::selectSuggestion(int n, bool showTyped) {
    if (n < 0) {
        clearText(true);
        return;
    }
    if (showTyped) {
        const int length = std::clamp(t9.typedLength, 0, static_cast<int>(sizeof t9.text));
        SetText(fromNarrowString(t9.text, length), false);
        chosen.clear();
        selection = -1;
        return;
    }
    const auto& source = favouritesMode ? favourites : slots;
    const int limit = favouritesMode ? favouritesCount : candidateCount;
    // An empty slot names nothing: it is treated like an index outside the list.
    if (n >= limit || source[static_cast<std::size_t>(n)].count == 0) {
        selection = -1;
        return;
    }
    selection = n;
    chosen = source[static_cast<std::size_t>(n)];
    SetText(chosen.GetName(0, names), false);
}

void cTextBox::showSelectedName() {
    if (chosen.count > 0) {
        SetText(chosen.GetName(0, names), false);
    } else {
        clearText(true);
    }
}

std::unique_ptr<cTextBoxKategorieElement> cTextBox::getElement() const {
    return chosen.clone();
}

void cTextBox::resetInput() {
    t9 = T9State{};
    counts.history = 0;
    counts.favourites = 0;
    platform::sendMessage(edit.handle(), controls::EM_SETSEL, static_cast<std::uintptr_t>(-1), 0);
    platform::sendMessage(edit.handle(), controls::EM_SCROLLCARET, 0, 0);
    display.setSelection(0, 0);
}

void cTextBox::moveToParent(platform::WindowHandle parent) {
    hideList();
    ui::setParent(handle(), parent);
    ui::setParent(list.handle(), parent);
}

void cTextBox::hideList() {
    list.hide();
}

bool cTextBox::listShown() const {
    return ui::isWindowVisible(list.handle());
}

void cTextBox::showList() {
    list.setItems(slots.data(), candidateCount, counts.history, counts.favourites, false);
}

void cTextBox::showFavourites() {
    favouritesCount = std::clamp(names.favouriteGet(favourites[0].place()), 0, kFavouriteSlots);
    favouritesMode = true;
    list.setItems(favourites.data(), favouritesCount, 0, favouritesCount, true);
}

bool cTextBox::addToFavourites() {
    if (chosen.count == 0) {
        platform::shell::messageBox(handle(), platform::resources::loadResString(kTextNothingToAdd),
                                    platform::resources::loadResString(kTextErrorCaption),
                                    platform::shell::MB_OK | platform::shell::MB_ICONERROR);
        return false;
    }
    const bool added = names.favouriteAdd(*chosen.place()) == 0;
    if (added) {
        favouritesCount = std::clamp(names.favouriteGet(favourites[0].place()), 0, kFavouriteSlots);
        if (favouritesMode && listShown()) {
            list.setItems(favourites.data(), favouritesCount, 0, favouritesCount, true);
        }
    }
    ui::setFocus(handle());
    return added;
}

void cTextBox::removeFromFavourites() {
    if (chosen.count == 0) {
        platform::shell::messageBox(
            handle(), platform::resources::loadResString(kTextNothingToRemove),
            platform::resources::loadResString(kTextErrorCaption),
            platform::shell::MB_OK | platform::shell::MB_ICONERROR);
        return;
    }
    if (names.favouriteDelete(*chosen.place()) == 0) {
        favouritesCount = std::clamp(names.favouriteGet(favourites[0].place()), 0, kFavouriteSlots);
        hideList();
    }
    ui::setFocus(handle());
}

int cTextBox::categoryForSearch() {
    return categoryRestriction >= 0 ? categoryRestriction : names.categoryFilter();
}

void cTextBox::showSearchError() {
    platform::shell::messageBox(handle(), platform::resources::loadResString(kTextNameSearchFailed),
                                platform::resources::loadResString(kTextErrorCaption),
                                platform::shell::MB_OK | platform::shell::MB_ICONERROR);
}

// Keeps the counts within the slots whatever the engine answered.
static void clampCounts(SuggestionCounts& c, int& candidates) {
    candidates = std::clamp(c.total, 0, kSuggestionSlots);
    c.history = std::clamp(c.history, 0, candidates);
    c.favourites = std::clamp(c.favourites, 0, candidates - c.history);
}

void cTextBox::qwertySearch() {
    if (textSet) {
        textSet = false;
        return;
    }
    if (ui::getFocus() != edit.handle()) {
        return;
    }
    const std::u16string typed = editText();
    favouritesMode = false;
    chosen.clear();
    // The box holds what was typed, whatever the search finds.
    text = typed;
    gpsEntry = false;
    const bool previousSingle = candidateCount == 1;
    std::string folded = toNarrowString(typed);
    for (char& c : folded) {
        c = static_cast<char>(cp1250Strip(cp1250Lower(static_cast<std::uint8_t>(c))));
    }
    if (!typed.empty() && typed != placeholderText()) {
        SuggestionCounts found;
        const std::int32_t status = names.searchText(timetableRestriction, folded,
                                                     categoryForSearch(), slots[0].place(), found);
        if (status < 0) {
            showSearchError();
            return;
        }
        counts = found;
        clampCounts(counts, candidateCount);
    } else {
        candidateCount = 0;
    }
    if (candidateCount == 1) {
        if (!previousSingle) {
            edit.completed = true;
            selectSuggestion(0, false);
            hideList();
        }
    } else if (candidateCount > 1) {
        showList();
    } else {
        hideList();
    }
    if (editText().empty()) {
        SetText(u"", true);
    } else {
        ui::invalidateRect(handle());
    }
}

void cTextBox::t9Search(int key, int character, bool isLetter) {
    favouritesMode = false;
    chosen.clear();
    if (selection >= 0 && key == kT9DeleteKey && editMode) {
        clearText(true);
        return;
    }
    SuggestionCounts found;
    const std::int32_t status =
        names.searchKey(timetableRestriction, key, key == kT9DeleteKey ? 'd' : character, isLetter,
                        t9, categoryForSearch(), slots[0].place(), found);
    if (status < 0) {
        showSearchError();
        return;
    }
    counts = found;
    clampCounts(counts, candidateCount);
    const int typedLength = std::clamp(t9.typedLength, 0, static_cast<int>(sizeof t9.text));
    if (candidateCount == 1) {
        selectSuggestion(0, false);
        hideList();
        // The drawn text marks every typed key, not only those typed while several names fitted.
        if (!editMode) display.setSelection(0, typedLength);
    } else if (candidateCount > 1) {
        showList();
        selectSuggestion(0, editMode);
        if (editMode) {
            platform::sendMessage(edit.handle(), controls::EM_SETSEL, 0, typedLength);
            platform::sendMessage(edit.handle(), controls::EM_SCROLLCARET, 0, 0);
        } else {
            display.setSelection(0, typedLength);
        }
    } else {
        hideList();
        SetText(u"", false);
        selection = -1;
    }
}

bool cTextBox::onKeypadKey(std::uint32_t vk) {
    if (vk >= ui::VK_0 + 2 && vk <= ui::VK_0 + 9) {
        t9Search(static_cast<int>(vk - ui::VK_0), static_cast<int>(vk), false);
        return true;
    }
    if (vk == ui::VK_0 || vk == ui::VK_0 + 1 || vk == ui::VK_NUMPAD8 || vk == ui::VK_NUMPAD9 ||
        vk == ui::VK_F9) {
        t9Search(1, '\n', false);
        return true;
    }
    return false;
}

bool cTextBox::onBoxKey(std::uint32_t vk) {
    const platform::WindowHandle parent = ui::getParent(handle());
    switch (vk) {
        case ui::VK_BACK:
            t9Search(kT9DeleteKey, 'd', !useT9 || editMode);
            break;
        case ui::VK_RETURN:
            if (listShown()) {
                hideList();
            } else {
                showFavourites();
            }
            break;
        case ui::VK_LEFT:
            clearText(true);
            hideList();
            break;
        case ui::VK_UP:
            hideList();
            platform::sendMessage(parent, WM_MOVE_FOCUS, 1, focusOrder);
            break;
        case ui::VK_RIGHT:
            if (listShown()) {
                selectSuggestion(0, false);
                clearText(false);
                ui::setFocus(handle());
                hideList();
            }
            break;
        case ui::VK_DOWN:
            if (listShown()) {
                ui::setFocus(list.handle());
                list.SelectItem(0);
            } else {
                platform::sendMessage(parent, WM_MOVE_FOCUS, 0, focusOrder);
            }
            break;
        case ui::VK_TAB:
            platform::sendMessage(parent, WM_MOVE_FOCUS, 0, focusOrder);
            break;
        default:
            return false;
    }
    edit.completed = false;
    return true;
}

void cTextBox::setFocusLook(bool on) {
    if (focusLook != on) {
        focusLook = on;
        ui::invalidateRect(handle());
    }
}

void cTextBox::onInnerFocus(platform::WindowHandle from) {
    setFocusLook(true);
    if (from != list.handle()) {
        resetInput();
    }
}

MsgResult cTextBox::OnSetFocus(std::uintptr_t from, std::intptr_t) {
    setFocusLook(true);
    if (static_cast<platform::WindowHandle>(from) != list.handle()) {
        resetInput();
        takeOverBackKey(handle());
    }
    ui::setFocus(editMode ? edit.handle() : display.handle());
    return 0;
}

void cTextBox::OnEditChange() {
    qwertySearch();
}

void cTextBox::OnClearButton() {
    ui::setFocus(handle());
    clearText(true);
    hideList();
    resetInput();
    ui::setFocus(handle());
}

void cTextBox::openContextMenu(platform::draw::Point screen) {
    const auto* source = platform::resources::findMenuTemplate(kMenuFavourites);
    if (source == nullptr)
        return;
    const auto bar = platform::shell::menuFromTemplate(*source);
    const auto menu = bar->count() > 0 && bar->subMenu(0) ? bar->subMenu(0) : bar;
    const std::uint32_t command = platform::shell::trackPopupMenu(
        menu, platform::shell::TPM_RETURNCMD, screen.x, screen.y, handle());
    if (command == kCommandAddFavourite) {
        addToFavourites();
    } else if (command == kCommandRemoveFavourite) {
        removeFromFavourites();
    }
}

bool cTextBox::inDropDownZone(int x) const {
    const Rect client = ui::getClientRect(handle());
    const double h = client.height();
    const double fh = shellSettings().fontHeight();
    const double left = client.width() - 2 * (h + fh / 3) - 0.36 * h;
    return x >= left && x < client.width() - h;
}

MsgResult cTextBox::OnPress(std::uintptr_t, std::intptr_t lParam) {
    setFocusLook(true);
    if (editMode && inDropDownZone(ui::xOfLParam(lParam))) {
        dropZonePressed = true;
        ui::setCapture(handle());
        ui::invalidateRect(handle());
        return 0;
    }
    ui::setFocus(editMode ? edit.handle() : display.handle());
    return 0;
}

MsgResult cTextBox::OnRelease(std::uintptr_t, std::intptr_t lParam) {
    if (!dropZonePressed)
        return 0;
    dropZonePressed = false;
    ui::releaseCapture();
    ui::invalidateRect(handle());
    if (!inDropDownZone(ui::xOfLParam(lParam)))
        return 0;
    if (listShown()) {
        hideList();
    } else {
        ui::setFocus(handle());
        showFavourites();
    }
    return 0;
}

void cTextBox::OnPaint() {
    ui::PaintContext paint(handle());
    auto& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    dc.fillRect(client, kWhite);
    const int frame = shellSettings().highResolution() ? 2 : 1;
    if (focusLook || editMode) {
        drawFrame(dc, client, frame);
    } else {
        // An idle box on a keypad device keeps a light outline, so that an empty one is
        // still seen as a field.
        drawFrame(dc, client, 1, kIdleFrameColor);
    }
    if (editMode) {
        const int h = client.height();
        const int right = touchScreen() ? client.width() - h : client.width();
        const int width = static_cast<int>(0.36 * h) + shellSettings().fontHeight() / 3;
        const Rect box{right - width - frame, frame, right - frame, h - frame};
        const bool inverted = touchScreen() && focusLook && dropZonePressed;
        if (inverted)
            dc.fillRect(box, kBlack);
        drawTriangle(dc, box, TriangleDirection::Down, inverted ? kWhite : kBlack);
    }
}

const ui::MessageMapBase& cTextBox::messageMap() const {
    static const auto map =
        ui::MessageMap<cTextBox>(&WindowObject::messageMap())
            .command(kTextBoxEditId, &cTextBox::OnEditChange, controls::EN_CHANGE)
            .command(kClearButtonId, &cTextBox::OnClearButton)
            .message(ui::WM_CREATE, &cTextBox::OnCreate)
            .message(ui::WM_SIZE, &cTextBox::OnSize)
            .message(ui::WM_SETFOCUS, &cTextBox::OnSetFocus)
            .message(ui::WM_LBUTTONDOWN, &cTextBox::OnPress)
            .message(ui::WM_LBUTTONUP, &cTextBox::OnRelease)
            .message(ui::WM_PAINT, &cTextBox::OnPaint);
    return map;
}

}  // namespace pelorvant
