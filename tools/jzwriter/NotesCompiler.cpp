// Placeholder until this section compiler is written.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void compileNotes(CompileContext&, ContentWriter&) { throw CompileError("NotesCompiler: not written yet"); }

}  // namespace jz
