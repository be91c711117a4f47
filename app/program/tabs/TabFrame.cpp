#include "app/program/tabs/TabFrame.h"

#include "app/core/ExceptionExit.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/FatalError.h"
#include "app/shell/LayoutFlags.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/core/MessageLoop.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MenuFromTemplate.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
using platform::MsgResult;

namespace {

// The frame covers the whole screen, so that it follows the screen when it turns; its views
// use the part above the menu bar.
Rect frameArea() {
    const auto size = ui::screenSize();
    return Rect{0, 0, size.width, size.height};
}

// "Nepodařilo se vytvořit hlavní rámec aplikace", "... hlavní okno aplikace".
constexpr std::uint32_t kTextFrameNotMade = 12100;
constexpr std::uint32_t kTextHostNotMade = 12101;
// The menu bar could not be made, or its menu was not found.
constexpr std::uint32_t kTextMenuBarNotCreated = 12306;
constexpr std::uint32_t kTextMenuBarNotFilled = 12307;

int usableHeight(int clientHeight) { return clientHeight - ui::systemMetrics().captionHeight; }

}  // namespace

cTabFrame::cTabFrame(ProgramContext& context, FrameCallbacks callbacks)
    : context_(context), callbacks_(std::move(callbacks)) {
    context_.settings->tabsShownState = context_.settings->showTabs;
}

cTabFrame::~cTabFrame() {
    host_.reset();
    if (menuBar_ != platform::kNullWindow) ui::destroyWindow(menuBar_);
    destroy();
}

void cTabFrame::createFrame(std::u16string_view title) {
    ui::CreateParams params = shellCreateParams(ui::WS_VISIBLE, frameArea(), platform::kNullWindow, 0);
    params.text = std::u16string(title);
    if (!create(params)) throw ExceptionExit(kTextFrameNotMade);
    const auto* source = platform::resources::findMenuTemplate(kMainMenu);
    menuBar_ = source ? platform::shell::createMenuBar(handle(), platform::shell::menuFromTemplate(*source))
                      : platform::kNullWindow;
    if (menuBar_ == platform::kNullWindow) throw ExceptionExit(kTextFrameNotMade);
    // The Back key comes to the frame, which hands it to the focus.
    platform::sendMessage(menuBar_, platform::shell::SHCMBM_OVERRIDEKEY, ui::VK_ESCAPE,
                          static_cast<std::intptr_t>((platform::shell::SHMBOF_NODEFAULT | platform::shell::SHMBOF_NOTIFY) |
                                                     ((platform::shell::SHMBOF_NODEFAULT | platform::shell::SHMBOF_NOTIFY) << 16)));
    host_ = std::make_unique<cTabHost>(context_, *this);
    const Rect client = ui::getClientRect(handle());
    const Rect area{0, 0, client.width(), usableHeight(client.height())};
    if (!host_->createHost(handle(), area)) throw ExceptionExit(kTextHostNotMade);
    resize(0, area.width(), area.height());
}

bool cTabFrame::setMenuBar(int menuId) {
    const auto fail = [](std::uint32_t text) {
        platform::shell::messageBox(mainFrameWindow(), platform::resources::loadResString(text), u"",
                                    platform::shell::MB_OK);
        terminateProgram();
        return false;
    };
    if (menuBar_ == platform::kNullWindow) {
        return fail(kTextMenuBarNotCreated);
    }
    const auto* source = platform::resources::findMenuTemplate(static_cast<std::uint32_t>(menuId));
    if (source == nullptr) {
        return fail(kTextMenuBarNotFilled);
    }
    platform::shell::closeMenuPopups();
    platform::shell::setMenuBarMenu(menuBar_, platform::shell::menuFromTemplate(*source));
    platform::shell::refreshMenuBar(menuBar_);
    return true;
}

void cTabFrame::applyViewFlags(bool doneButton, bool showStrip) {
    AppSettings& s = *context_.settings;
    unsigned flags = 0;
    if (s.isNotSmartphone || showStrip == s.tabsShownState) {
        if (doneButton != doneButtonShown_) {
            platform::shell::setMenuBarDoneButton(menuBar_, doneButton);
            doneButtonShown_ = doneButton;
        }
        if (host_ && s.showTabs && s.tabsShownState && !showStrip) host_->Layout(0x11, -1, -1);
        if (!s.showTabs || s.tabsShownState || !showStrip) {
            s.tabsShownState = showStrip;
            return;
        }
        flags = kLayoutActivePageOnly;
    }
    if (host_) host_->Layout(flags, -1, -1);
    s.tabsShownState = showStrip;
}

void cTabFrame::resize(unsigned flags, int width, int height) {
    if (!host_) return;  // the host is made after the frame's first size
    AppSettings& s = *context_.settings;
    if (width == s.layoutWidth && height == s.layoutHeight) {
        flags |= kLayoutSizeUnchanged;
        if (s.layoutFlag == ((flags & kLayoutInputPanel) != 0)) return;
    }
    s.layoutFlag = (flags & kLayoutInputPanel) != 0;
    // The menu bar stays along the bottom of the screen when the screen turns.
    const auto screenNow = ui::screenSize();
    const int barHeight = ui::systemMetrics().captionHeight;
    ui::moveWindow(menuBar_, 0, screenNow.height - barHeight, screenNow.width, barHeight);
    s.layoutWidth = width;
    s.layoutHeight = height;
    const auto screen = ui::screenSize();
    s.orientation = screen.height == screen.width ? 2 : (screen.height < screen.width ? 1 : 0);
    if (!s.tabsShownState) flags |= kLayoutTabStripHidden;
    ui::moveWindow(host_->handle(), 0, 0, width, height);
    host_->Layout(flags, width, height);
}

MsgResult cTabFrame::OnSize(std::uintptr_t, std::intptr_t lParam) {
    const auto width = static_cast<int>(lParam & 0xFFFF);
    const auto height = static_cast<int>((lParam >> 16) & 0xFFFF);
    resize(0, width, usableHeight(height));
    return 0;
}

void cTabFrame::OnRelayout() {
    const Rect client = ui::getClientRect(handle());
    resize(kLayoutInputPanel, client.width(), usableHeight(client.height()));
}

MsgResult cTabFrame::OnHotKey(std::uintptr_t, std::intptr_t lParam) {
    const auto modifiers = static_cast<unsigned>(lParam & 0xFFFF);
    const auto key = static_cast<std::uint32_t>((lParam >> 16) & 0xFFFF);
    if (key == ui::VK_ESCAPE && modifiers == platform::shell::MOD_KEYUP) {
        platform::sendMessage(ui::getFocus(), platform::shell::WM_HOTKEY, 0, 0);
    }
    return 0;
}

void cTabFrame::OnClose() {
    if (callbacks_.stopGps) callbacks_.stopGps();
    platform::postQuitMessage(0);
    ui::destroyWindow(handle());
}

void cTabFrame::OnSetFocus() {
    if (host_ && host_->activePage() != nullptr) ui::setFocus(host_->activePage()->handle());
}

void cTabFrame::OnTerminate() {
    if (callbacks_.terminate) {
        callbacks_.terminate();
    } else {
        platform::sendMessage(handle(), ui::WM_CLOSE, 0, 0);
    }
}

void cTabFrame::OnUpdateHandOver() {
    if (callbacks_.updateHandOver) callbacks_.updateHandOver();
}

MsgResult cTabFrame::windowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (message == ui::WM_COMMAND && lParam == 0 && ui::highWord(wParam) == 0 &&
        !platform::shell::menuBarOffers(menuBar_, ui::lowWord(wParam))) {
        return 0;
    }
    return WindowObject::windowProc(message, wParam, lParam);
}

bool cTabFrame::routeCommand(std::uint32_t id, std::uint32_t code) {
    if (host_ && host_->routeCommand(id, code)) return true;
    return handleOwnCommand(id, code);
}

const platform::ui::MessageMapBase& cTabFrame::messageMap() const {
    static const auto map = platform::ui::MessageMap<cTabFrame>()
                                .message(ui::WM_SIZE, &cTabFrame::OnSize)
                                .message(platform::shell::WM_HOTKEY, &cTabFrame::OnHotKey)
                                .message(ui::WM_CLOSE, &cTabFrame::OnClose)
                                .message(ui::WM_SETFOCUS, &cTabFrame::OnSetFocus)
                                .message(WM_APP_TERMINATE, &cTabFrame::OnTerminate)
                                .message(WM_UPDATE_HANDOVER, &cTabFrame::OnUpdateHandOver)
                                .message(WM_RELAYOUT, &cTabFrame::OnRelayout);
    return map;
}

}  // namespace pelorvant
