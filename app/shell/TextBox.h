#pragma once
// The object text box: the user names a stop, town or other category element of the
// timetable. While typing (system edit, every change) or pressing keypad keys (T9, key by
// key) it asks the engine for matching names and shows them in a suggestion list below
// itself; it offers the set's favourites, adds or removes the chosen object there, and where
// allowed stands for the current GPS position while empty. It holds the chosen element.

#include "app/shell/LayoutAnchor.h"
#include "app/shell/ObjectNames.h"
#include "app/shell/TextBoxDisplay.h"
#include "app/shell/TextBoxEdit.h"
#include "app/shell/TextBoxElement.h"
#include "app/shell/TextBoxList.h"

#include "platform/draw/Font.h"
#include "platform/ui/WindowObject.h"

#include <memory>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr std::uintptr_t kClearButtonId = 2059;
inline constexpr std::uint32_t kTextGpsPlaceholder = 423;
inline constexpr std::uint32_t kTextAddFavouriteRow = 136;
inline constexpr std::uint32_t kTextNothingToAdd = 184;
inline constexpr std::uint32_t kTextNothingToRemove = 203;
inline constexpr std::uint32_t kMenuFavourites = 159;
inline constexpr std::uint32_t kCommandAddFavourite = 32804;
inline constexpr std::uint32_t kCommandRemoveFavourite = 32803;
inline constexpr std::uint32_t kTextNameSearchFailed = 12304;
// The T9 key that deletes the last key, and the character the engine expects with it.
inline constexpr int kT9DeleteKey = -1;

class cTextBox : public platform::ui::WindowObject {
public:
    // names must outlive the box. hintParent holds the list's hint; gpsFlag: the empty box
    // stands for the current GPS position.
    cTextBox(int focusOrder, platform::WindowHandle hintParent, bool gpsFlag, ObjectNames& names);
    // The window goes first, while the members its messages use still live.
    ~cTextBox() override { destroy(); }

    // Creates the box and its children; the list becomes a hidden child of `parent`.
    // The input mode the device calls for now: the system edit on a touch screen, with a full
    // QWERTY keyboard, or with a slide-out one while the screen is landscape; else keypad mode.
    static bool deviceTypesText();

    bool createBox(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id);
    void Layout();
    void setEditMode(bool on);
    void SetText(std::u16string_view text, bool allowGps);
    void clearText(bool reset);
    void selectSuggestion(int n, bool showTyped);
    void showSelectedName();
    // A copy of the chosen element; the caller owns it.
    std::unique_ptr<cTextBoxKategorieElement> getElement() const;
    void resetInput();
    // Re-parents the box and its list (the full-screen entry borrows the box and gives it
    // back); the list and its hint hide.
    void moveToParent(platform::WindowHandle parent);
    void showFavourites();
    bool addToFavourites();
    void removeFromFavourites();
    void setGpsFlag(bool on);
    // The box stands for the current GPS position: it has the GPS flag, nothing is chosen and
    // it shows the placeholder instead of a text.
    bool showsGpsPosition() const { return gpsFlag && gpsEntry && chosen.count == 0; }

    // The searches of the two modes.
    void qwertySearch();
    void t9Search(int key, int character, bool isLetter);
    // A key on the box (from the edit or the drawn text); true when the box used it.
    bool onBoxKey(std::uint32_t vk);
    // Keypad keys in keypad mode; true when one was a T9 key.
    bool onKeypadKey(std::uint32_t vk);
    void hideList();
    bool listShown() const;
    // The edit's text (system-edit mode).
    std::u16string editText() const;
    void setFocusLook(bool on);
    // The focus arrived at the edit or the drawn text from `from`.
    void onInnerFocus(platform::WindowHandle from);
    void openContextMenu(platform::draw::Point screen);

    ObjectNames& names;
    LayoutAnchor anchor;
    T9State t9;
    SuggestionCounts counts;
    bool gpsFlag = false;
    // The placeholder was written in place of an empty text.
    bool gpsEntry = false;
    bool textSet = false;
    cTextBoxEdit edit;
    cTextBoxDisplay display;
    platform::WindowHandle clearButton = platform::kNullWindow;
    std::unique_ptr<platform::draw::Font> font;
    std::vector<cTextBoxKategorieElement> slots;
    int candidateCount = 0;
    int selection = -1;
    std::vector<cTextBoxKategorieElement> favourites;
    int favouritesCount = 0;
    bool favouritesMode = false;
    int timetableRestriction = -1;
    int categoryRestriction = -1;
    cTextBoxKategorieElement chosen;
    std::u16string text;
    bool useT9 = true;
    bool focusLook = false;
    bool editMode = true;
    cTextBoxList list;
    int listHeight = 100;
    int focusOrder = 0;
    platform::WindowHandle hintParent = platform::kNullWindow;
    bool dropZonePressed = false;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    int categoryForSearch();
    bool inDropDownZone(int x) const;
    void showList();
    void showSearchError();
    void setEditText(std::u16string_view value);
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnSize(std::uintptr_t, std::intptr_t);
    void OnEditChange();
    void OnClearButton();
    platform::MsgResult OnSetFocus(std::uintptr_t from, std::intptr_t);
    platform::MsgResult OnPress(std::uintptr_t, std::intptr_t lParam);
    platform::MsgResult OnRelease(std::uintptr_t, std::intptr_t lParam);
    void OnPaint();
};

}  // namespace pelorvant
