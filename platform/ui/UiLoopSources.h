#pragma once
// Internal: the window layer's messages (paints, translated characters) join the core's
// retrieval once the layer is in use on any thread.

namespace platform::ui::detail {

void installLoopSources();

}  // namespace platform::ui::detail
