// Placeholder until this section compiler is written.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void indexSourceObjects(CompileContext&) { throw CompileError("IndexSourceObjects: not written yet"); }

}  // namespace jz
