#pragma once
// Message boxes: a caption, an icon, a text and OK or Yes and No buttons, over the screen.
//
// Asked on the user-interface thread, messageBox is modal: the owner is disabled and a nested
// message loop runs until a button is tapped (Enter chooses the first button, Escape the last
// one). Asked from a worker thread, the request goes to the user-interface thread (through the
// relay window that startMessageBoxRelay made there) and the worker waits for the answer,
// while the user-interface thread goes on handling every message; when the relay goes away
// first, the worker is released with 0.
//
// Tests answer the boxes by script: with an answerer set, no box is shown and the answerer,
// run on the user-interface thread, gives the result; the request names the asking thread.

#include "platform/core/Types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform::shell {

inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

inline constexpr std::string_view kMessageBoxClass = "MessageBox";

struct MessageBoxRequest {
    WindowHandle owner = kNullWindow;
    std::u16string text;
    std::u16string caption;
    unsigned type = MB_OK;
    ThreadId askingThread = 0;
};

using MessageBoxAnswerer = std::function<int(const MessageBoxRequest&)>;

// Makes the relay on the calling thread, which becomes the thread that shows message boxes.
void startMessageBoxRelay();
void stopMessageBoxRelay();
// An empty function shows real boxes again.
void setMessageBoxAnswerer(MessageBoxAnswerer answerer);

// Returns IDOK, IDYES or IDNO; 0 when no box could be shown.
int messageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
               unsigned type);

}  // namespace platform::shell
