#pragma once
// The stop-timetable result: a form of pages (the route's stops, an hour grid per day group,
// the notes) built from a copy of the engine's result. Pages are switched by their tabs on a
// touch screen and through the menu everywhere.
#include "app/core/ProgramContext.h"
#include "app/screens/stoptimetables/StopTimetableCopy.h"
#include "app/screens/stoptimetables/StopTimetableLinks.h"
#include "app/screens/stoptimetables/StopTimetablePages.h"
#include "app/shell/TabbedForm.h"

#include "platform/shell/Menu.h"

#include <string>

namespace pelorvant {

inline constexpr std::uint32_t kCommandStopTimetableBack = 32821;
inline constexpr std::uint32_t kCommandFirstPage = 33500;
inline constexpr std::uint32_t kCommandLastPage = 33650;

class cZJRShowFrame : public cTabbedForm {
public:
    // The context must outlive the view.
    explicit cZJRShowFrame(ProgramContext& context);

    bool createFrame(WindowHandle tabPage, const Rect& rect, std::uintptr_t id);

    // Copies what the result holds (the caller releases it afterwards) and builds the pages.
    // query: the search that gave the result, kept for searching again from the route.
    void buildStopTimetableText(const cStVysledek* result, const StopTimetableQuery& query, std::int32_t groupCount,
                                std::int32_t routeStopCount);

    // The copied timetable (owned by the view until the next build).
    const StopTimetableCopy& timetable() const { return copy_; }
    // A page's title: the validity text with the day placeholders replaced for a grid.
    const std::u16string& pageTitle(int n) const { return pageTitles.at(static_cast<std::size_t>(n)); }
    // The markup of the notes page ("" without notes).
    const std::u16string& notesMarkup() const { return notesMarkup_; }

    void OnViewActivate() override;
    bool Refresh() override;
    // Shows page n and moves the menu's check mark to it.
    void showPage(int n) override;

    // Not owned; null until the tab page sets it.
    StopTimetableLinks* links = nullptr;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    MsgResult OnCreate(std::uintptr_t wParam, std::intptr_t lParam);
    void removePages();
    void addRoutePage();
    void addGridPages();
    void addNotesPage();
    void openDeparture(const StDeparture& departure);
    void chooseRouteStop(int row);
    void menuBack();
    void menuPage(std::uint32_t id);
    void listPagesInMenu();
    // The popup that lists the pages (the menu bar's first), with its bar; null when none.
    platform::shell::MenuPtr pagesPopup(WindowHandle& bar) const;

    ProgramContext& context_;
    StopTimetableCopy copy_;
    StopTimetableQuery query_;
    std::u16string notesMarkup_;
    std::vector<std::unique_ptr<cBaseView>> retired_;
};

}  // namespace pelorvant
