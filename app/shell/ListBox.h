#pragma once
// The row list of the message-box view: a report-style list that tells its parent of Enter
// and of a double tap on a row (WM_LISTBOX_RETURN).

#include "app/shell/SubclassedControl.h"

namespace pelorvant {

class cListBox : public SubclassedControl {
public:
    cListBox() = default;

protected:
    platform::MsgResult onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
};

}  // namespace pelorvant
