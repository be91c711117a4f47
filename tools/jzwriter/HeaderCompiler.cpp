// Placeholder until this section compiler is written.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void compileHeader(CompileContext&, ContentWriter&) { throw CompileError("HeaderCompiler: not written yet"); }

}  // namespace jz
