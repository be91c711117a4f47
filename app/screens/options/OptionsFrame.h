#pragma once
// The options dialog (view 4030): the four program-wide pages and, for every timetable of the
// tab's set, a search-parameter page and a line-kinds page. "Uložit" saves everything and flushes
// the INI store; "Storno" leaves without saving. Each opening reloads every value.
#include "app/core/ProgramContext.h"
#include "app/screens/options/OptionsBasicPage.h"
#include "app/screens/options/OptionsDataPage.h"
#include "app/screens/options/OptionsLineKindsPage.h"
#include "app/screens/options/OptionsOperatorPage.h"
#include "app/screens/options/OptionsSearchPage.h"
#include "app/screens/options/OptionsUpdatePage.h"
#include "app/screens/options/OptionsValues.h"
#include "app/shell/TabbedForm.h"

#include <functional>

namespace pelorvant {

class cImageMessageBoxView;
class ViewSwitcher;

inline constexpr int kOptionsViewId = 4030;
inline constexpr int kOptionsMenuId = 157;
inline constexpr std::uint32_t kCommandBasicPage = 32786;
inline constexpr std::uint32_t kCommandAdvancedPage = 32787;
inline constexpr std::uint32_t kCommandUpdateSettingsPage = 32807;
inline constexpr std::uint32_t kCommandDataPage = 32825;
inline constexpr std::uint32_t kCommandOptionsSave = 32788;
inline constexpr std::uint32_t kCommandOptionsCancel = 32789;
inline constexpr std::uint32_t kCommandFirstTimetablePage = 33500;
inline constexpr std::uint32_t kCommandLastTimetablePage = 33650;

// The text told when the INI store could not be written.
std::u16string settingsNotSavedText();

class cOptionsFrame : public cTabbedForm {
public:
    // The context, the tab's switcher and its message-box view must outlive the frame;
    // `menuBar` gives the main window's menu bar.
    cOptionsFrame(ProgramContext& context, ViewSwitcher& tab, cImageMessageBoxView& messageBox,
                  std::function<WindowHandle()> menuBar);
    ~cOptionsFrame() override;

    // Creates the hidden frame as a child of its tab page.
    bool createFrame(WindowHandle tabPage, const Rect& rect);

    // Rebuilds the pages for the tab's set `set` and loads every value.
    bool refreshFor(std::int32_t set);
    bool Refresh() override;
    void OnViewActivate() override;
    void showPage(int n) override;
    void Layout(unsigned flags, int width, int height) override;
    int ResetFocus() override;
    void ShowUpdateSettings() { showPageAndTab(2); }

    // "Uložit": settings, per-timetable records, flush, back to the search form, restart
    // question. A failed flush is told and the dialog stays open with the values kept.
    void menuOkClick();
    void menuCancelClick();

    // The view of page n (the per-timetable pages are shared); null when none.
    cBaseView* pageView(int n);
    int currentPage() const { return currentItem; }

    cOptionsBasicPage basic;
    cOptionsOperatorPage operatorPage;
    cOptionsSearchPage search;
    cOptionsLineKindsPage lineKinds;
    cOptionsUpdatePage update;
    cOptionsDataPage dataPage;
    std::int32_t set = -1;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    void OnPageCommand(std::uint32_t id);
    void OnIdOk();
    void showPageAndTab(int n);
    void loadSettings();
    bool saveSettings();
    SystemHooks& hooks();

    ProgramContext& context_;
    ViewSwitcher& tab_;
    cImageMessageBoxView& messageBox_;
    std::function<WindowHandle()> menuBar_;
    OptionsValues loaded_;
    int timetableCount_ = 0;
};

}  // namespace pelorvant
