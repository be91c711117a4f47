// Placeholder until this section compiler is written.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void compilePassages(CompileContext&, ContentWriter&) { throw CompileError("PassagesCompiler: not written yet"); }

}  // namespace jz
