// Placeholder until this section compiler is written.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void compileNameBlock(CompileContext&, ContentWriter&) { throw CompileError("NameBlockCompiler: not written yet"); }

}  // namespace jz
