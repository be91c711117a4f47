#include "app/program/tabs/TabHost.h"

#include "app/core/PrivateMessages.h"
#include "app/program/tabs/TabColors.h"
#include "app/program/tabs/TabFitting.h"
#include "app/program/tabs/TabFrame.h"
#include "app/shell/FatalError.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/core/MessageLoop.h"
#include "platform/draw/DeviceContext.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <limits>

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;
using platform::resources::loadResString;

cTabHost::cTabHost(ProgramContext& context, cTabFrame& frame) : context_(context), frame_(frame) {
    const int h = scaledFontHeight();
    tabMargin = h / 4;
    nextTabX = tabMargin;
    addButtonInset = h / 10;
    pageGap = tabPageGap();
}

cTabHost::~cTabHost() {
    // Pages go before the headers and the window; their views stop their workers first.
    pages.clear();
    sparePages.clear();
    headers.clear();
    spareHeaders.clear();
    destroy();
}

bool cTabHost::createHost(platform::WindowHandle frame, const Rect& rect) {
    return create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, rect, frame, kTabHostId));
}

MsgResult cTabHost::OnCreate(std::uintptr_t, std::intptr_t) {
    addButtonSize = static_cast<int>(scaledFontHeight() * 0.85);
    addButton = std::make_unique<cImageStrip>(u"tab_add_up", u"tab_add_down", u"tab_add_down_focused", false, 0);
    addButton->createStrip(handle(), Rect::fromSize(nextTabX, 0, addButtonSize, addButtonSize), kTabAddButtonId);
    const bool showTabs = context_.settings->showTabs;
    if (!showTabs) ui::showWindow(addButton->handle(), ui::SW_HIDE);
    AddTab(loadResString(kTextNewTab));
    activeIndex = 0;
    if (!headers.empty()) {
        headers[0]->Refresh(true);
        if (!showTabs) ui::showWindow(headers[0]->handle(), ui::SW_HIDE);
    }
    return 0;
}

cTabPage* cTabHost::activePage() const {
    if (activeIndex < 0 || activeIndex >= static_cast<int>(pages.size())) return nullptr;
    return pages[static_cast<std::size_t>(activeIndex)].get();
}

int cTabHost::pageTop() const { return context_.settings->showTabs ? stripHeight + pageGap : 0; }

int cTabHost::AddTab(std::u16string_view title) {
    if (static_cast<int>(pages.size()) >= kMaxTabs) {
        platform::shell::messageBox(frame_.handle(), loadResString(kTextTooManyTabs), u"", platform::shell::MB_OK);
        if (cTabPage* page = activePage()) ui::setFocus(page->handle());
        return 0;
    }
    if (!idle()) return 0;
    const int clientWidth = ui::getClientRect(handle()).width();

    std::unique_ptr<cTabStrip> header;
    if (!spareHeaders.empty()) {
        header = std::move(spareHeaders.front());
        spareHeaders.erase(spareHeaders.begin());
        header->index = static_cast<int>(headers.size());
        ui::moveWindow(header->handle(), nextTabX, 0, 50, 50);
    } else {
        header = std::make_unique<cTabStrip>(*this);
        header->createHeader(handle(), nextTabX, static_cast<int>(headers.size()));
    }
    header->SetTitle(title);
    cTabStrip& added = *header;
    headers.push_back(std::move(header));

    const int total = addButtonSize + 2 * tabMargin + added.width + nextTabX;
    if (total < clientWidth) {
        nextTabX += added.width + 1;
    } else {
        shrinkHeaders(total - clientWidth);
        placeHeaders();
    }
    stripHeight = added.height;
    const int top = pageTop();
    const Rect client = ui::getClientRect(handle());
    const Rect pageRect{0, top, client.width(), client.height()};

    std::unique_ptr<cTabPage> page;
    if (!sparePages.empty()) {
        page = std::move(sparePages.front());
        sparePages.erase(sparePages.begin());
        page->pageIndex = static_cast<int>(pages.size());
        ui::moveWindow(page->handle(), pageRect.left, pageRect.top, pageRect.width(), pageRect.height());
        page->Layout(0, pageRect.width(), pageRect.height());
        page->showView(kViewSetChoice, kOwnMenu);
    } else {
        page = std::make_unique<cTabPage>(context_, frame_, *this, static_cast<int>(pages.size()));
        page->createPage(handle(), pageRect);
    }
    cTabPage& shown = *page;
    pages.push_back(std::move(page));
    ui::showWindow(shown.handle(), ui::SW_SHOW);
    ui::setFocus(shown.handle());
    ui::showWindow(added.handle(), context_.settings->showTabs ? ui::SW_SHOW : ui::SW_HIDE);
    shown.setSetIndex(-1);

    ui::moveWindow(addButton->handle(), nextTabX + addButtonInset, addButtonInset, addButtonSize, addButtonSize);
    Layout(0, client.width(), client.height());
    return 1;
}

void cTabHost::addTabByUser() {
    const int previous = activeIndex;
    if (AddTab(loadResString(kTextNewTab)) == 1) {
        activeIndex = static_cast<int>(pages.size()) - 1;
        SwitchTab(previous, false);
    }
}

void cTabHost::CloseActiveTab() {
    if (!idle() || activePage() == nullptr) return;
    const auto answer = [&](std::uint32_t text) {
        return platform::shell::messageBox(frame_.handle(), loadResString(text), loadResString(kTextCloseTabCaption),
                                           platform::shell::MB_YESNO | platform::shell::MB_ICONQUESTION);
    };
    if (pages.size() == 1) {
        if (answer(kTextLastTab) == platform::shell::IDYES) terminateProgram();
        return;
    }
    if (answer(kTextCloseTab) == platform::shell::IDNO) return;
    const auto closed = static_cast<std::size_t>(activeIndex);
    const int freedWidth = headers[closed]->width;
    std::unique_ptr<cTabStrip> header = std::move(headers[closed]);
    std::unique_ptr<cTabPage> page = std::move(pages[closed]);
    headers.erase(headers.begin() + static_cast<std::ptrdiff_t>(closed));
    pages.erase(pages.begin() + static_cast<std::ptrdiff_t>(closed));
    ui::showWindow(header->handle(), ui::SW_HIDE);
    ui::showWindow(page->handle(), ui::SW_HIDE);
    if (page->setIndex() >= 0) {
        context_.api->api_zrusSestavuJizdnichRadu(page->setIndex());
        page->setSetIndex(-1);
    }
    spareHeaders.push_back(std::move(header));
    sparePages.push_back(std::move(page));
    for (std::size_t i = closed; i < pages.size(); ++i)
        pages[i]->pageIndex = static_cast<int>(i);
    if (closed == pages.size()) --activeIndex;
    SwitchTab(-1, false);
    // The others take back at most what the closed header had, and only what the row has room for.
    fitHeaders(ui::getClientRect(handle()).width(), freedWidth);
}

void cTabHost::SwitchTab(int previousIndex, bool keyboard) {
    if (!idle()) return;
    cTabPage* page = activePage();
    if (page == nullptr) return;
    ui::showWindow(page->handle(), ui::SW_SHOW);
    page->switchTo(page->currentViewId, page->currentMenu);
    cTabStrip& header = *headers[static_cast<std::size_t>(activeIndex)];
    if (previousIndex >= 0 && previousIndex != activeIndex && previousIndex < static_cast<int>(pages.size())) {
        cTabStrip& previous = *headers[static_cast<std::size_t>(previousIndex)];
        previous.focusHighlight = false;
        previous.Refresh(false);
        header.Refresh(true);
        ui::showWindow(pages[static_cast<std::size_t>(previousIndex)]->handle(), ui::SW_HIDE);
    }
    if (keyboard) {
        header.focusHighlight = true;
    } else {
        header.focusHighlight = false;
        if (page->activeView != nullptr) page->activeView->Refresh();
        // Straight to the view: the page may hold the focus already (from when its view was
        // still hidden) and would not pass it on again.
        ui::setFocus(page->activeView != nullptr ? page->activeView->handle() : page->handle());
    }
    for (auto& h : headers) ui::invalidateRect(h->handle());
    const Rect client = ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
}

void cTabHost::setActiveTab(int index, bool keyboard) {
    if (!idle() || index < 0 || index >= static_cast<int>(pages.size())) return;
    const int previous = activeIndex;
    activeIndex = index;
    SwitchTab(previous, keyboard);
}

void cTabHost::headerTapped(int index) { setActiveTab(index, false); }

void cTabHost::placeHeaders() {
    nextTabX = tabMargin;
    for (std::size_t i = 0; i < headers.size(); ++i) {
        cTabStrip& header = *headers[i];
        header.index = static_cast<int>(i);
        // The active header keeps room for its close button.
        header.Refresh(header.index == activeIndex);
        header.placeAt(nextTabX);
        nextTabX += header.width + 1;
        ui::invalidateRect(header.handle());
    }
    ui::moveWindow(addButton->handle(), nextTabX + addButtonInset, addButtonInset, addButtonSize, addButtonSize);
}

void cTabHost::shrinkHeaders(int excess) {
    std::vector<int> widths;
    for (const auto& h : headers) widths.push_back(h->width);
    shrinkHeaderWidths(widths, excess);
    for (std::size_t i = 0; i < headers.size(); ++i) headers[i]->width = widths[i];
}

void cTabHost::growHeaders(int amount) {
    std::vector<int> widths;
    std::vector<int> natural;
    for (const auto& h : headers) {
        widths.push_back(h->width);
        natural.push_back(h->naturalWidth);
    }
    growHeaderWidths(widths, natural, amount);
    for (std::size_t i = 0; i < headers.size(); ++i) headers[i]->width = widths[i];
}

void cTabHost::SetActiveTabTitle(std::u16string_view title) {
    if (activePage() == nullptr)
        return;
    setTabTitleAt(activeIndex, title);
}

void cTabHost::setTabTitleAt(int index, std::u16string_view title) {
    if (index < 0 || index >= static_cast<int>(headers.size()))
        return;
    headers[static_cast<std::size_t>(index)]->SetTitle(title);
    const Rect client = ui::getClientRect(handle());
    fitHeaders(client.width(), std::numeric_limits<int>::max());
    Layout(0, client.width(), client.height());
}

void cTabHost::fitHeaders(int width, int mostGrowth) {
    placeHeaders();
    const int needed = addButtonSize + nextTabX + 2 * tabMargin;
    if (width < needed) {
        shrinkHeaders(needed - width);
    } else {
        growHeaders(std::min(width - needed, mostGrowth));
    }
    placeHeaders();
    fittedWidth_ = width;
}

void cTabHost::Layout(unsigned flags, int width, int height) {
    if (width == -1 && height == -1) {
        const Rect client = ui::getClientRect(handle());
        width = client.width();
        height = client.height();
    }
    cTabPage* active = activePage();
    if (active == nullptr) return;
    // A turned screen or a new frame size: the row is fitted to the new width.
    if (width != fittedWidth_)
        fitHeaders(width, std::numeric_limits<int>::max());
    const bool stripShown = context_.settings->showTabs && !(flags & kLayoutTabStripHidden) &&
                            (active->activeView == nullptr || active->activeView->showStrip);
    const int top = stripShown ? stripHeight + pageGap : 0;
    // Without the strip the headers and the add button give way to the page.
    for (const auto& h : headers) ui::showWindow(h->handle(), stripShown ? ui::SW_SHOW : ui::SW_HIDE);
    ui::showWindow(addButton->handle(), stripShown ? ui::SW_SHOW : ui::SW_HIDE);
    for (auto& page : pages) {
        if ((flags & kLayoutActivePageOnly) && page.get() != active) continue;
        ui::moveWindow(page->handle(), 0, top, width, height - top);
        page->Layout(flags, width, height - top);
    }
    ui::invalidateRect(handle());
    ui::updateWindow(active->handle());
}

MsgResult cTabHost::OnImageButtonClick(std::uintptr_t wParam, std::intptr_t) {
    if (wParam == 0) {
        addTabByUser();
    } else {
        CloseActiveTab();
    }
    return 0;
}

MsgResult cTabHost::OnImageButtonKey(std::uintptr_t wParam, std::intptr_t) {
    if (wParam == ui::VK_LEFT) {
        setActiveTab(static_cast<int>(pages.size()) - 1, true);
        ui::setFocus(handle());
    }
    return 0;
}

MsgResult cTabHost::OnImageButtonEnter(std::uintptr_t wParam, std::intptr_t) {
    if (wParam == 13) addTabByUser();
    return 0;
}

MsgResult cTabHost::OnKeyDown(std::uintptr_t vk, std::intptr_t) {
    cTabPage* page = activePage();
    if (page == nullptr) return 0;
    cTabStrip& header = *headers[static_cast<std::size_t>(activeIndex)];
    switch (vk) {
        case ui::VK_DOWN:
            ui::setFocus(page->handle());
            if (page->activeView != nullptr) page->activeView->Refresh();
            header.focusHighlight = false;
            header.Refresh(true);
            break;
        case ui::VK_RETURN:
            CloseActiveTab();
            break;
        case ui::VK_RIGHT:
            if (activeIndex + 1 < static_cast<int>(pages.size())) {
                setActiveTab(activeIndex + 1, true);
            } else {
                header.focusHighlight = false;
                ui::invalidateRect(header.handle());
                ui::setFocus(addButton->handle());
            }
            break;
        case ui::VK_LEFT:
            if (activeIndex > 0) setActiveTab(activeIndex - 1, true);
            break;
        default:
            break;
    }
    return 0;
}

void cTabHost::OnSetFocus() {
    cTabPage* page = activePage();
    if (page == nullptr) return;
    if (context_.settings->showTabs) {
        cTabStrip& header = *headers[static_cast<std::size_t>(activeIndex)];
        header.focusHighlight = true;
        header.Refresh(true);
    } else {
        ui::setFocus(page->handle());
    }
}

void cTabHost::OnKillFocus() {
    for (auto& h : headers) {
        h->focusHighlight = false;
        ui::invalidateRect(h->handle());
    }
}

void cTabHost::OnPaint() {
    ui::PaintContext paint(handle());
    auto& dc = paint.dc();
    const Rect client = ui::getClientRect(handle());
    dc.fillRect(Rect{0, 0, client.right, stripHeight + 1}, platform::draw::rgb(255, 255, 255));
    if (!context_.settings->showTabs) return;
    dc.fillRect(Rect{0, stripHeight + 1, client.right, stripHeight + pageGap - 1}, kTabLightBlue);
    dc.fillRect(Rect{0, stripHeight + 1, client.right, stripHeight + 2}, kTabBlue);
    dc.fillRect(Rect{0, stripHeight + pageGap - 1, client.right, stripHeight + pageGap}, kTabDarkGrey);
}

bool cTabHost::routeCommand(std::uint32_t id, std::uint32_t code) {
    if (cTabPage* page = activePage(); page != nullptr && page->routeCommand(id, code)) return true;
    return handleOwnCommand(id, code);
}

const platform::ui::MessageMapBase& cTabHost::messageMap() const {
    static const auto map = platform::ui::MessageMap<cTabHost>()
                                .message(ui::WM_CREATE, &cTabHost::OnCreate)
                                .message(ui::WM_PAINT, &cTabHost::OnPaint)
                                .message(ui::WM_KEYDOWN, &cTabHost::OnKeyDown)
                                .message(ui::WM_SETFOCUS, &cTabHost::OnSetFocus)
                                .message(ui::WM_KILLFOCUS, &cTabHost::OnKillFocus)
                                .message(WM_IMAGEBUTTON_CLICK, &cTabHost::OnImageButtonClick)
                                .message(WM_IMAGEBUTTON_KEY, &cTabHost::OnImageButtonKey)
                                .message(WM_IMAGEBUTTON_ENTER, &cTabHost::OnImageButtonEnter);
    return map;
}

}  // namespace pelorvant
