// Placeholder until the notes compiler is written.
#include "tools/jzwriter/NoteAttachments.h"

namespace jz {

NoteAttachments::NoteAttachments() = default;
std::uint32_t NoteAttachments::intern(const std::vector<std::uint16_t>&) { return 0; }

}  // namespace jz
