#pragma once
// The data view ("Data"): after an update check it offers, on its first page (cUpdateList), the
// installed timetables of which the server has a newer version and, on its second
// (cDownloadList), the timetables the server has that are not installed. The chosen files are
// downloaded on the progress view.
#include "app/screens/data/DataPage.h"
#include "app/screens/data/DownloadList.h"
#include "app/screens/data/UpdateList.h"

#include <string>
#include <vector>

namespace pelorvant {

inline constexpr int kDataViewId = 4040;
inline constexpr std::uint32_t kCommandUpdatePage = 32787;
inline constexpr std::uint32_t kCommandDownloadPage = 32788;
inline constexpr std::uint32_t kCommandStartUpdate = 32796;
inline constexpr std::uint32_t kCommandStartDownload = 32797;
inline constexpr std::uintptr_t kUpdateButtonId = 2055;
inline constexpr std::uintptr_t kDownloadButtonId = 2056;
inline constexpr int kDataUpdateMenu = 352;    // keypad, the update page
inline constexpr int kDataDownloadMenu = 353;  // keypad, the download page

class cDataFrame : public cDataPage {
public:
    // The context must outlive the view.
    explicit cDataFrame(ProgramContext& context);

    bool createDataView(platform::WindowHandle tabPage, const Rect& rect);

    // Runs an update check for the language on the progress view; the view is shown when it
    // succeeded, else the message 287 and the return view.
    void ActivateView(std::int32_t language, int returnView);
    // Fills the list with the page's rows from the fetched update information, with the page's
    // button and tab.
    void showPage(int page);
    // Shows the page and, on a keypad device, its menu bar (the update or the download menu).
    void switchPage(int page);
    // The names of the checked rows of the shown page, or of the selected row when none is checked.
    std::vector<std::u16string> chosenNames() const;
    // Shown again (after a download): the first page, which the default menu bar belongs to.
    void OnViewActivate() override;
    void startUpdate();
    void startDownload();

    int page = 0;
    cUpdateList updates;     // page 0
    cDownloadList newFiles;  // page 1

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnUpdateCheckDone(std::uintptr_t fetched, std::intptr_t);
    void OnItemChanged(const platform::ui::NotifyHeader& header, platform::MsgResult& result);
    void readOffers();
    void fillList();
    const UpdateOffer& shown() const { return page == 0 ? updates.offer : newFiles.offer; }
    void download(const std::vector<std::u16string>& names);
    void menuBackClick();
    void menuUpdatePageClick() { switchPage(0); }
    void menuDownloadPageClick() { switchPage(1); }
    void OnTabChange(const platform::ui::NotifyHeader& header, platform::MsgResult& result);
    int pageMenu() const;

    int returnView_ = 4025;
    bool switchingMenu_ = false;  // the view is shown again for its page's menu bar
};

}  // namespace pelorvant
