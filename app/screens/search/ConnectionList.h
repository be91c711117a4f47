#pragma once
// The results list: one row per connection of a stored result, each listing its stops as items
// with times, stop names, the line in its colour and the trip's notes, and the duration and
// distance below. Up and Down move between the items of the selected row and between rows;
// Enter opens the listing, Right and Left step a leg to the next or previous trip; a tap
// activates an item, a double tap on the selected row opens it; fingers scroll kinetically.
#include "app/screens/search/ConnectionHint.h"
#include "app/screens/search/ConnectionRow.h"
#include "app/shell/HintWindow.h"
#include "app/shell/ScrollList.h"

#include "platform/draw/DeviceContext.h"
#include "platform/draw/Font.h"

#include <functional>
#include <memory>
#include <vector>

namespace pelorvant {

inline constexpr std::uintptr_t kConnectionListId = 2034;
inline constexpr std::uintptr_t kConnectionHintId = 2029;
inline constexpr int kRowMenuId = 1054;
inline constexpr std::uint32_t kRowMenuNotes = 32807;     // "Poznámky spoje"
inline constexpr std::uint32_t kRowMenuOpen = 32805;      // "Trasa spoje"
inline constexpr std::uint32_t kRowMenuCalendar = 32781;  // "Vložit do kalendáře"
inline constexpr std::uint32_t kRowMenuNavigate = 32836;  // "Navigovat na zastávku"
// The notification code of the commands the row's context menu hands to the results view.
inline constexpr std::uint32_t kRowMenuCode = 2;
inline constexpr platform::draw::Color kRowSelectedBack = platform::draw::rgb(150, 186, 227);
inline constexpr platform::draw::Color kRowSelectedBorder = platform::draw::rgb(177, 214, 254);
inline constexpr platform::draw::Color kActiveItemBack = platform::draw::rgb(49, 150, 214);
inline constexpr platform::draw::Color kOtherDayColour = platform::draw::rgb(255, 0, 0);
inline constexpr platform::draw::Color kWalkColour = platform::draw::rgb(80, 80, 80);

// The pixel sizes of a row, from the font and the list's width.
struct RowGeometry {
    int timeWidth = 0;
    int lineWidth = 0;
    int markWidth = 0;
    int stopWidth = 0;
    int itemHeight = 0;
    int gap = 0;
    int extra = 0;  // 2 × the high-resolution flag + 2
};

class cConnectionList : public cScrollList {
public:
    cConnectionList();

    bool createConnectionList(platform::WindowHandle view, const Rect& rect);
    // Shows new rows; row 0 selected, then `focus` (the engine's row with the focus).
    void setRows(std::vector<cConnectionRow> rows, int focus);
    void clear() { setRows({}, -1); }
    // A row's content changed (a leg stepped to another trip): its height may have too; the
    // scroll offset is kept and the hint of the old trip goes.
    void rowChanged(int row);

    void SelectItem(int index) override;
    void ScrollTo(int position) override;
    void ScrollLine(bool up) override;

    // The trip leg of the selected row's active item (the first trip leg when none is
    // active); null on a walk or when the row has no trip.
    cUsekSpojeni* GetSelectedLeg() const;
    // The stop of the active item (item 0 when none): its index and timetable position.
    std::uint16_t GetSelectedStop(std::int32_t& timetable) const;
    // Makes an item of the selected row active, scrolls it into view and prepares its hint.
    void activateItem(int item);
    void clearActiveItem();
    void hideHint();
    int rowHeight(int row) const;
    // The row and item under a point of the client area (-1 when none).
    std::pair<int, int> hitTest(int x, int y) const;
    // Shortens a text to a width, ending it in "..", measured in the list's font.
    std::u16string shortened(std::u16string_view text, int width) const;
    // A walk's text as a row shows it in `room` pixels: whole, or its minutes alone.
    std::u16string walkShown(const std::u16string& walk, int room) const;

    std::vector<cConnectionRow> rows;
    int selected = -1;
    bool keyReleased = false;
    RowGeometry geometry;
    std::unique_ptr<platform::draw::Font> font;
    // The hint beside the active item, a child of the results view (made with the list).
    cHintWindow hint;
    // The hint of an item of a row; unset: no hints.
    std::function<ItemHint(const cConnectionRow& row, int item)> itemHint;
    // Whether the row's context menu offers navigation to the stop.
    bool offersNavigation = true;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnSize(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnKeyDown(std::uintptr_t vk, std::intptr_t);
    platform::MsgResult OnKeyUp(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnTap(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnDoubleTap(std::uintptr_t wParam, std::intptr_t lParam);
    void OnPaint();
    void OnSetFocus();
    void measure();
    int rowTop(int row) const;
    // One line, two with a notes line.
    int itemHeight(const ConnectionRowItem& item) const;
    void scrollIntoView(int row, int item);
    void notifyView(std::uint32_t message);
    void showItemHint();
    void openContextMenu(platform::draw::Point at);
    void drawRow(platform::draw::DeviceContext& dc, int row, int top, int width);
};

}  // namespace pelorvant
