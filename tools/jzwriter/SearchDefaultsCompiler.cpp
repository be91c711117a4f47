// Placeholder until this section compiler is written.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void compileSearchDefaults(CompileContext&, ContentWriter&) { throw CompileError("SearchDefaultsCompiler: not written yet"); }

}  // namespace jz
