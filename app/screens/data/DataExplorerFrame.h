#pragma once
// The installed-files view ("DataExplorer"): its one page, the list of installed files
// (cDataFileList), under a menu that offers the update commands of each country. "Zpět" returns
// to the view and menu that opened it (the timetable-set choice, which lists the files anew
// when it is shown).
#include "app/screens/data/DataFileList.h"
#include "app/screens/data/UpdateRequest.h"

namespace pelorvant {

inline constexpr int kDataExplorerViewId = 4041;

class cDataFrame;

class cDataExplorerFrame : public cDataFileList {
public:
    // The context must outlive the view.
    explicit cDataExplorerFrame(ProgramContext& context);

    // Creates the hidden view as a child of its tab page.
    bool createExplorerView(platform::WindowHandle tabPage, const Rect& rect);

    // Remembers the view and menu to return to (menu -1: the view's own); called before the
    // view is shown.
    void ActivateView(int returnView, int returnMenu);
    // Fills the popup "Aktualizace dat" of the fresh menu bar with the per-country items.
    void OnViewActivate() override;
    // A per-country item: "Detailní aktualizace" opens the data view for the country, and
    // "Aktualizovat vše" checks for updates and downloads every newer timetable; either returns
    // to this view.
    void countryCommandClick(std::uint32_t id);

    // The data view that "Aktualizace dat" opens (not owned; set by the tab page).
    cDataFrame* dataView = nullptr;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void menuBackClick();
    platform::MsgResult OnUpdateCheckDone(std::uintptr_t fetched, std::intptr_t);
    void fillUpdatePopup();

    UpdateRequest updateRequest_;
    int returnView_ = 4025;
    int returnMenu_ = -1;
};

}  // namespace pelorvant
