#pragma once
// The hour grid of one day group: the hours down the left edge, the minutes of their
// departures in cells to the right, a note's letter beside its minute. The arrow keys and a
// tap select a cell; Enter or a double tap on a departure opens it through onOpen.
#include "app/screens/stoptimetables/HourGridGeometry.h"
#include "app/screens/stoptimetables/HourGridSpacing.h"
#include "app/screens/stoptimetables/StopTimetableCopy.h"
#include "app/shell/ScrollList.h"

#include "platform/draw/Bitmap.h"
#include "platform/draw/Font.h"

#include <functional>
#include <optional>

namespace pelorvant {

inline constexpr std::uintptr_t kStopTimetableGridId = 2034;
// The selected cell's background (a light blue).
inline constexpr platform::draw::Color kGridSelectionColor = 0xFED5B1;

// The fonts and heights the grid draws with; the fonts are not owned and must outlive the grid.
struct GridFonts {
    const platform::draw::Font* main = nullptr;
    const platform::draw::Font* small = nullptr;
    int height = 16;
    int smallHeight = 10;
};

class cStopTimetableGrid : public cScrollList {
public:
    // The group (not owned: the form keeps it until the next build) and the hour to select and
    // scroll to the top.
    void setData(const StDayGroup* group, GridFonts fonts, int currentHour);
    // Recomputes the geometry for the window's present size.
    void relayout();

    void ScrollTo(int position) override;

    const HourGridGeometry& geometry() const { return *geometry_; }
    const GridSpacing& spacing() const { return spacing_; }
    GridCell selection() const { return selection_; }
    // The departure of the selection; null on an hour cell.
    const StDeparture* selectedDeparture() const;
    // Draws the part of the content in view into `target` (client-sized); the paint handler
    // and the pixel tests use it.
    void paintInto(platform::draw::Bitmap& target) const;

    // Called with the departure to open (Enter, double tap).
    std::function<void(const StDeparture&)> onOpen;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void select(GridCell cell);
    void scrollSelectionIntoView();
    void open();
    int usableWidth() const;
    // The widest digit and the widest note letter the grid shows (0 without fonts).
    GridTextWidths textWidths() const;
    void OnPaint();
    platform::MsgResult OnEraseBackground(std::uintptr_t, std::intptr_t) { return 1; }
    platform::MsgResult OnKeyDown(std::uintptr_t vk, std::intptr_t lParam);
    platform::MsgResult OnTap(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnDoubleTap(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnSize(std::uintptr_t, std::intptr_t);
    std::optional<GridCell> cellAt(std::intptr_t lParam) const;

    const StDayGroup* group_ = nullptr;
    GridFonts fonts_;
    GridSpacing spacing_{plainGridColumns(16), 0, 0};
    std::optional<HourGridGeometry> geometry_{HourGridGeometry(16, 0, {})};
    GridCell selection_;
    // The hour the last scroll asked to have at the top (before the end of the content cut it
    // short); kept through a new layout.
    int topHour_ = 0;
};

}  // namespace pelorvant
