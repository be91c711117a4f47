#pragma once
// One tab: every view of the program made once for the life of the tab, the view now shown,
// the tab's timetable set, and switching between the views by id with their menu bars.
#include "app/core/ProgramContext.h"
#include "app/program/tabs/PlaceholderView.h"
#include "app/screens/data/DataExplorerFrame.h"
#include "app/screens/data/DataFrame.h"
#include "app/screens/navigation/GPSNavigFormView.h"
#include "app/screens/navigation/GpsReceiverLink.h"
#include "app/screens/options/OptionsFrame.h"
#include "app/screens/stoptimetables/StopTimetableTabLinks.h"
#include "app/screens/options/WizardFrame.h"
#include "app/screens/stoptimetables/ZJRShowFrame.h"
#include "app/screens/progress/ProgressFormView.h"
#include "app/screens/progress/TabServices.h"
#include "app/screens/search/TextBoxPPCView.h"
#include "app/screens/search/VyberRaduView.h"
#include "app/screens/search/VypisSpojeView.h"
#include "app/screens/search/VypisVysledkuView.h"
#include "app/screens/search/ZaklFormularFrame.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/ViewTable.h"

#include "platform/ui/WindowObject.h"

#include <map>
#include <memory>
#include <vector>

namespace pelorvant {

class cTabFrame;
class cTabHost;

class cTabPage : public platform::ui::WindowObject, public TabServices {
public:
    // The context, frame and host must outlive the page.
    cTabPage(ProgramContext& context, cTabFrame& frame, cTabHost& host, int index);
    ~cTabPage() override;

    // Creates the page and its view windows as a visible child of the host.
    bool createPage(platform::WindowHandle host, const Rect& rect);

    void showView(int viewId, int menuId) override;
    void switchTo(int viewId, int menuId);
    void createMenuBarForView(int menuId);
    void Layout(unsigned flags, int width, int height);
    // The view of an id of the table; null for any other id.
    cBaseView* viewOf(int viewId) const;

    // The options dialog, made on first use and kept for the page's life.
    cOptionsFrame& getOptionsFrame();
    // Opens the options dialog on its first page, or on the update page.
    void openOptions(bool updatePage);
    // Makes the first-run wizard and shows it.
    void createWizard();

    // TabServices.
    std::int32_t setIndex() const override { return setIndex_; }
    void setSetIndex(std::int32_t set) override { setIndex_ = set; }
    void setTabTitle(std::u16string_view title) override;
    void setLoaded(std::int32_t set) override;
    void showResults(std::int32_t resultId) override;
    cProgressFormView& progressView() override { return progress; }
    int shownMenu() const override { return currentMenu; }
    // The tab's set was given back to the engine: the tab has no set and shows the set choice
    // (when it is not the active tab, from when it is shown next).
    void setDropped();

    // The views (owned; made with the page, destroyed with it).
    cVypisVysledkuView results;  // constructed with the context, the message view and the listing
    cVyberRaduView setChoice;  // constructed with the context
    cImageMessageBoxView messageBox;
    cZaklFormularFrame searchForm;  // constructed with the context and the two views it uses
    cProgressFormView progress;  // constructed with the context
    cVypisSpojeView listing;  // constructed with the context
    cTextBoxPPCView textBoxPPC;  // constructed with the context
    cDataFrame dataView;              // constructed with the context
    cDataExplorerFrame dataExplorer;  // constructed with the context
    cZJRShowFrame stopTimetable;        // constructed with the context
    StopTimetableTabLinks stopTimetableLinks;
    cGPSNavigFormView gpsNavigation;  // constructed with the context
    GpsReceiverLink gpsLink;
    std::unique_ptr<cOptionsFrame> optionsFrame;  // null until first opened
    std::unique_ptr<cWizardFrame> wizardFrame;    // null unless this page showed the wizard

    std::map<int, cBaseView*> viewById;
    std::map<int, int> menuById;
    cBaseView* activeView = nullptr;
    int currentMenu = 128;
    int pageIndex = 0;
    int currentViewId = 4025;

    const platform::ui::MessageMapBase& messageMap() const override;
    bool routeCommand(std::uint32_t id, std::uint32_t code) override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    // "Navigovat na zastávku" of the results view.
    void navigateToSelectedStop();

    ProgramContext& context_;
    cTabFrame& frame_;
    cTabHost& host_;
    std::int32_t setIndex_ = -1;
};

}  // namespace pelorvant
