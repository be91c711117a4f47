#pragma once
// The pages of the stop-timetable form: the stops of the line's route, one hour grid per day
// group, and the lettered notes.
#include "app/shell/PageHeading.h"
#include "app/screens/stoptimetables/StopTimetableGrid.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ListBox.h"

#include <functional>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr std::uintptr_t kStopTimetablePageId = 94;
inline constexpr std::uintptr_t kStopTimetableTextPageId = 95;
inline constexpr std::uintptr_t kRouteStopsListId = 2034;

struct RouteStopRow {
    std::u16string minutes;  // "" before the from stop
    std::u16string name;     // with the stop's note marks
};

// The route's stops with their minutes from the from stop; the from row stays selected.
class cRouteStopsPage : public cBaseView {
public:
    bool createPage(WindowHandle form);
    void setRows(std::vector<RouteStopRow> rows, int fromRow, int fontHeight);
    void Layout(unsigned flags, int width, int height) override;

    cListBox list;
    int fromRow = -1;
    // Called with a chosen row (Enter or double tap).
    std::function<void(int)> onChoose;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void OnSetFocus();
    MsgResult OnListReturn(std::uintptr_t, std::intptr_t);
    int fontHeight_ = 16;
};

// One day group's hour grid over the whole page, below the group's title where no tab shows
// it.
class cStopTimetableGridPage : public cBaseView {
public:
    bool createPage(WindowHandle form);
    void Layout(unsigned flags, int width, int height) override;
    void ShowView(int showCommand) override;

    cPageHeading heading;
    cStopTimetableGrid grid;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void OnSetFocus();
};

// The notes as rich text over the whole page.
class cStopTimetableTextPage : public cBaseView {
public:
    bool createPage(WindowHandle form);
    void setMarkup(std::u16string markup);
    void Layout(unsigned flags, int width, int height) override;
    void ShowView(int showCommand) override;

    ImageLabel label{true};

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void OnSetFocus();
};

}  // namespace pelorvant
