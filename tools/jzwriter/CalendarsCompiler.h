#pragma once
// The validity calendars of the trips section, from the description's calendars.

#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/ContentWriter.h"

namespace jz {

// Writes the calendars part (first, last and base day, a bitmap and a validity-note reference
// per calendar, in calendar index order) with its skipped sections.
void writeCalendars(CompileContext& ctx, ContentWriter& out);

}  // namespace jz
