#pragma once
// The clipboard of the process: text that edits copy and cut to and paste from.

#include <string>
#include <string_view>

namespace platform::controls {

void setClipboardText(std::u16string_view text);
std::u16string clipboardText();
bool clipboardHasText();
void clearClipboard();

}  // namespace platform::controls
