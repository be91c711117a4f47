#pragma once
// The main window: one frame above the menu bar holding the tab host. It owns the menu bar
// shown for the active view, sizes the host when the screen turns or the input panel comes
// and goes, and receives the program-wide shut-down and update hand-over.
#include "app/core/ProgramContext.h"
#include "app/program/tabs/TabHost.h"

#include "platform/ui/WindowObject.h"

#include <functional>
#include <memory>

namespace pelorvant {

struct FrameCallbacks {
    // The orderly shut-down (WM_APP_TERMINATE); it ends with WM_CLOSE to the frame.
    std::function<void()> terminate;
    // A later start handed an update request over (WM_UPDATE_HANDOVER).
    std::function<void()> updateHandOver;
    // WM_CLOSE: the GPS receiver stops before the frame goes.
    std::function<void()> stopGps;
};

class cTabFrame : public platform::ui::WindowObject {
public:
    // The context must outlive the frame.
    cTabFrame(ProgramContext& context, FrameCallbacks callbacks);
    ~cTabFrame() override;

    // Creates the frame over the screen, with the menu bar and the host.
    // Throws ExceptionExit when either cannot be made.
    void createFrame(std::u16string_view title);

    // The active view's flags: the Done button, and whether the tab strip shows above it.
    void applyViewFlags(bool doneButton, bool showStrip);
    // Replaces the menu bar's menu; false (after the box and the shut-down) when it failed.
    bool setMenuBar(int menuId);

    cTabHost& host() { return *host_; }
    platform::WindowHandle menuBar() const { return menuBar_; }

    const platform::ui::MessageMapBase& messageMap() const override;
    bool routeCommand(std::uint32_t id, std::uint32_t code) override;
    // A menu command (no control, code 0) goes on only while the menu bar offers it: one of
    // another view's menu, or of an item since removed, would act on a state it was not made for.
    platform::MsgResult windowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    void resize(unsigned flags, int width, int height);
    platform::MsgResult OnSize(std::uintptr_t, std::intptr_t lParam);
    platform::MsgResult OnHotKey(std::uintptr_t, std::intptr_t lParam);
    void OnClose();
    void OnSetFocus();
    void OnTerminate();
    void OnUpdateHandOver();
    void OnRelayout();

    ProgramContext& context_;
    FrameCallbacks callbacks_;
    std::unique_ptr<cTabHost> host_;
    platform::WindowHandle menuBar_ = platform::kNullWindow;
    bool doneButtonShown_ = false;
};

}  // namespace pelorvant
