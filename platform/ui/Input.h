#pragma once
// Input from the device, as a backend or a test delivers it: finger down, move and up on the
// screen, keys and characters. The events become posted window messages: finger events to the
// window under the finger (or the capture), in its client coordinates; keys to the focus.
//
// A second finger down on the same window of a class with CS_DBLCLKS, within
// kDoubleTapTime ms and the profile's double-tap distance, is WM_LBUTTONDBLCLK.

#include "platform/draw/Geometry.h"

#include <cstdint>

namespace platform::ui {

inline constexpr std::uint64_t kDoubleTapTime = 500;

void fingerDown(draw::Point screen);
void fingerMove(draw::Point screen);
void fingerUp(draw::Point screen);
bool fingerIsDown();

void keyDown(std::uint32_t vk);
void keyUp(std::uint32_t vk);
// A character typed without a key (the input panel, text input of a desktop).
void characterInput(char16_t c);

// Forgets the finger and key state (for tests that start afresh).
void resetInput();

}  // namespace platform::ui
