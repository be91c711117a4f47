#include "app/program/BoxNotice.h"

#include "app/core/life/FatalError.h"

#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"

namespace pelorvant {

void BoxNotice::showMessage(std::u16string_view text, std::u16string_view caption) {
    platform::shell::messageBox(mainFrameWindow(), text, caption, platform::shell::MB_OK);
}

bool BoxNotice::askYesNo(std::u16string_view text, std::u16string_view caption) {
    return platform::shell::messageBox(mainFrameWindow(), text, caption,
                                       platform::shell::MB_YESNO | platform::shell::MB_ICONQUESTION) ==
           platform::shell::IDYES;
}

}  // namespace pelorvant
