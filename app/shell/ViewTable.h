#pragma once
// The views of a tab page: their ids, window names and menu-bar resources, on a touch screen
// and on a keypad Smartphone.
#include <cstdint>
#include <optional>
#include <span>

namespace pelorvant {

inline constexpr int kViewSetChoice = 4025;
inline constexpr int kViewResults = 4026;
inline constexpr int kViewMessageBox = 4027;
inline constexpr int kViewSearchForm = 4028;
inline constexpr int kViewProgress = 4029;
inline constexpr int kViewOptions = 4030;
inline constexpr int kViewListing = 4033;
inline constexpr int kViewTextBoxPPC = 4036;
inline constexpr int kViewWizard = 4039;
inline constexpr int kViewData = 4040;
inline constexpr int kViewDataExplorer = 4041;
inline constexpr int kViewStopTimetable = 4042;
inline constexpr int kViewGpsNavigation = 4045;
// Not a view: only the choice popup's menu bar, over the unchanged view.
inline constexpr int kChoicePopupMenuView = 5034;

inline constexpr int kMainMenu = 128;
inline constexpr int kChoicePopupMenu = 167;
inline constexpr int kOptionsMenu = 157;
inline constexpr int kWizardMenu = 156;

struct ViewTableRow {
    int viewId;
    const char16_t* windowName;
    int touchMenu;
    int keypadMenu;
};

// The views a tab page creates as windows, in the order it creates them.
std::span<const ViewTableRow> viewTable();
// The row of a view id; empty for ids that are not in the table (4030, 4039, 5034, unknown).
std::optional<ViewTableRow> findViewRow(int viewId);
// The view's own menu for the device: keypad when not a touch screen.
int viewMenu(const ViewTableRow& row, bool isNotSmartphone);

}  // namespace pelorvant
