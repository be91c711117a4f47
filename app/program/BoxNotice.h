#pragma once
// The core's boxes shown as the shell's message boxes, owned by the main frame.
#include "app/core/SystemHooks.h"

namespace pelorvant {

class BoxNotice final : public UserNotice {
public:
    void showMessage(std::u16string_view text, std::u16string_view caption) override;
    bool askYesNo(std::u16string_view text, std::u16string_view caption) override;
};

}  // namespace pelorvant
