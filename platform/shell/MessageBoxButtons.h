#pragma once
// The words on the buttons of the message boxes, in the program's language. The program names
// them when its texts are known; until then the boxes read "Ano", "Ne" and "OK".

#include <string>

namespace platform::shell {

struct MessageBoxButtonTexts {
    std::u16string yes = u"Ano";
    std::u16string no = u"Ne";
    std::u16string ok = u"OK";
};

// Set on the user-interface thread before any box shows; the boxes that follow use them.
void setMessageBoxButtonTexts(MessageBoxButtonTexts texts);
const MessageBoxButtonTexts& messageBoxButtonTexts();

}  // namespace platform::shell
