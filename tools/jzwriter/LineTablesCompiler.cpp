// Placeholder until this section compiler is written.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void compileLineTables(CompileContext&, ContentWriter&) { throw CompileError("LineTablesCompiler: not written yet"); }

}  // namespace jz
