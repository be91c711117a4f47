#pragma once
// The line box of the stop-timetable page: the form's edit, in which Enter runs the search
// (the page's command 2061).
#include "app/shell/BackKeyEdit.h"

namespace pelorvant {

inline constexpr std::uint32_t kCommandFindFromLine = 2061;

class cStopLineEdit : public cBackKeyEdit {
public:
    using cBackKeyEdit::cBackKeyEdit;

protected:
    platform::MsgResult onMessage(std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
};

}  // namespace pelorvant
