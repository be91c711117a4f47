#pragma once
// What the views of a tab ask of their tab page besides switching views: the tab's timetable
// set, its title, the progress view, and the views that follow a load or a search. The tab
// page implements it; a view finds it as the object of its parent window.
#include "app/shell/ViewSwitcher.h"

#include <cstdint>
#include <string_view>

namespace pelorvant {

class cProgressFormView;

class TabServices : public ViewSwitcher {
public:
    // The engine's set index of the tab; -1 while the tab has no set.
    virtual std::int32_t setIndex() const = 0;
    virtual void setSetIndex(std::int32_t set) = 0;
    // Renames the tab (when it is the active one).
    virtual void setTabTitle(std::u16string_view title) = 0;
    // A set was loaded into the tab: the search form refills its filter and resets its page.
    virtual void setLoaded(std::int32_t set) = 0;
    // A search found connections: the results view takes the result.
    virtual void showResults(std::int32_t resultId) = 0;
    // Owned by the tab page.
    virtual cProgressFormView& progressView() = 0;
    // The menu bar the tab shows now; -1 when unknown.
    virtual int shownMenu() const { return -1; }
};

// The services of the window's parent; null when the parent is not a tab page.
TabServices* parentTabServices(platform::WindowHandle view);

}  // namespace pelorvant
