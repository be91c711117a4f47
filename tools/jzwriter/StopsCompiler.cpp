// Placeholder until this section compiler is written.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void compileStops(CompileContext&, ContentWriter&) { throw CompileError("StopsCompiler: not written yet"); }

}  // namespace jz
