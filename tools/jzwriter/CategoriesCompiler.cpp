// Placeholder until this section compiler is written.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void compileCategories(CompileContext&, ContentWriter&) { throw CompileError("CategoriesCompiler: not written yet"); }

}  // namespace jz
