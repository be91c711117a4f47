#pragma once
// A C++ object that owns a window and handles its messages through its message map. Derived
// classes (frames, hosts, pages, views, controls) add entries to the map and override
// routeCommand to pass commands on: a frame offers a command to its host, the host to its
// active page, the page to its active view, each before handling it itself.
//
// The object outlives its window or destroys it: destroying the object destroys the window.
// When the window goes first (WM_NCDESTROY) the object forgets it and onFinalMessage runs,
// where an object that owns itself may delete itself.

#include "platform/core/Types.h"
#include "platform/ui/MessageMap.h"
#include "platform/ui/WindowTree.h"

#include <cstdint>
#include <string>

namespace platform::ui {

class WindowObject {
public:
    WindowObject() = default;
    virtual ~WindowObject();
    WindowObject(const WindowObject&) = delete;
    WindowObject& operator=(const WindowObject&) = delete;

    // Creates the object's window (the class name names it in dumps and searches; it need not
    // be registered). False when the window could not be made or the object has one already.
    bool create(const CreateParams& params);
    // Takes over a window made elsewhere, such as a control made by its class name: from now
    // on its messages come to this object, which destroys it as if it had made it. False when
    // the object has a window already or the window has an object.
    bool attach(WindowHandle window);
    bool destroy();
    WindowHandle handle() const { return handle_; }
    // The object of a window made by create; null for other windows.
    static WindowObject* fromHandle(WindowHandle window);

    // Offers a command to this object; true when someone took it. The default looks in the
    // object's own message map; derived classes override it to offer the command to the
    // objects they route to first, then call handleOwnCommand.
    virtual bool routeCommand(std::uint32_t id, std::uint32_t code);
    bool handleOwnCommand(std::uint32_t id, std::uint32_t code);

    // The base of every map: it has no entries.
    virtual const MessageMapBase& messageMap() const;

protected:
    // Every message of the window. The default: WM_COMMAND through routeCommand, WM_NOTIFY
    // and the rest through the message map, then defaultProc.
    virtual MsgResult windowProc(std::uint32_t message, std::uintptr_t wParam,
                                 std::intptr_t lParam);
    MsgResult defaultProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    // After the window's last message; the handle is null by then.
    virtual void onFinalMessage() {}

private:
    MsgResult receive(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                      std::intptr_t lParam);
    WindowHandle handle_ = kNullWindow;
};

}  // namespace platform::ui
