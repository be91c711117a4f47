#pragma once
// The tab host: the row of tab headers with the add button along its top edge and the tab
// pages below, of which only the active one shows. At most ten tabs; while a load or a search
// runs (the idle flag is clear) tabs are neither added, closed nor switched.
#include "app/core/ProgramContext.h"
#include "app/program/tabs/TabPage.h"
#include "app/program/tabs/TabStrip.h"
#include "app/shell/ImageStrip.h"

#include "platform/ui/WindowObject.h"

#include <memory>
#include <string>
#include <vector>

namespace pelorvant {

class cTabFrame;

inline constexpr std::uintptr_t kTabHostId = 0xE900;
inline constexpr std::uintptr_t kTabAddButtonId = 2053;
inline constexpr int kMaxTabs = 10;
inline constexpr std::uint32_t kTextNewTab = 167;
inline constexpr std::uint32_t kTextTooManyTabs = 129;
inline constexpr std::uint32_t kTextCloseTabCaption = 133;
inline constexpr std::uint32_t kTextLastTab = 134;
inline constexpr std::uint32_t kTextCloseTab = 135;

class cTabHost : public platform::ui::WindowObject {
public:
    // The context and the frame must outlive the host.
    cTabHost(ProgramContext& context, cTabFrame& frame);
    ~cTabHost() override;

    // Creates the host as a visible child of the frame, with its first tab.
    bool createHost(platform::WindowHandle frame, const Rect& rect);

    // 1 when a tab was added (not yet active), else 0.
    int AddTab(std::u16string_view title);
    void CloseActiveTab();
    void SwitchTab(int previousIndex, bool keyboard);
    // width = height = -1: the client area gives the size.
    void Layout(unsigned flags, int width, int height);
    void SetActiveTabTitle(std::u16string_view title);
    // Renames the tab at the index and fits the strip again.
    void setTabTitleAt(int index, std::u16string_view title);
    // Adds a tab as the user asks for one and makes it active.
    void addTabByUser();

    // The active page; null when there is none.
    cTabPage* activePage() const;
    int tabCount() const { return static_cast<int>(pages.size()); }
    bool idle() const { return context_.settings->idle; }

    int stripHeight = 20;
    int nextTabX = 0;
    int tabMargin = 0;
    int addButtonSize = 0;
    int addButtonInset = 0;
    std::unique_ptr<cImageStrip> addButton;  // owned
    int pageGap = 4;
    int activeIndex = 0;
    std::vector<std::unique_ptr<cTabPage>> pages;     // owned
    std::vector<std::unique_ptr<cTabStrip>> headers;  // owned, parallel to pages
    std::vector<std::unique_ptr<cTabPage>> sparePages;
    std::vector<std::unique_ptr<cTabStrip>> spareHeaders;

    // From a header: a finger went down on header `index`.
    void headerTapped(int index);
    void placeHeaders();

    const platform::ui::MessageMapBase& messageMap() const override;
    bool routeCommand(std::uint32_t id, std::uint32_t code) override;

private:
    int pageTop() const;
    // Takes `excess` pixels off the widest headers; gives `amount` back to shortened ones.
    void shrinkHeaders(int excess);
    void growHeaders(int amount);
    // Places the headers within `width`: shrunk when the row with the add button does not fit,
    // else grown back towards their full titles by at most `mostGrowth`.
    void fitHeaders(int width, int mostGrowth);
    void setActiveTab(int index, bool keyboard);
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnImageButtonClick(std::uintptr_t wParam, std::intptr_t);
    platform::MsgResult OnImageButtonKey(std::uintptr_t wParam, std::intptr_t);
    platform::MsgResult OnImageButtonEnter(std::uintptr_t wParam, std::intptr_t);
    platform::MsgResult OnKeyDown(std::uintptr_t vk, std::intptr_t);
    void OnSetFocus();
    void OnKillFocus();
    void OnPaint();

    ProgramContext& context_;
    cTabFrame& frame_;
    int fittedWidth_ = -1;  // the width the row was last fitted to
};

}  // namespace pelorvant
