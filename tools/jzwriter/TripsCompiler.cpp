// Placeholder until this section compiler is written.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void prepareTrips(CompileContext&) {}
void compileTrips(CompileContext&, ContentWriter&) { throw CompileError("TripsCompiler: not written yet"); }

}  // namespace jz
