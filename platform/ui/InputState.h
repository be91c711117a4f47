#pragma once
// Internal: key state the loop's translation reads.

namespace platform::ui::detail {

bool shiftDown();

}  // namespace platform::ui::detail
