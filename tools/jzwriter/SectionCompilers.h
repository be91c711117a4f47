#pragma once
// The section compilers, one per section of the file, each in its own file. They read their
// part of the description from ctx.doc and write the section in the engine's layout.

#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/ContentWriter.h"

namespace jz {

// Before anything is written: resolve the ids of towns, groups, stops, notes, line kinds,
// line groups, lines and calendars into ctx's index tables.
void indexSourceObjects(CompileContext& ctx);
// Derives what trips give to other sections (ctx.passageCountOfStop).
void prepareTrips(CompileContext& ctx);
// Interns the stops' note lists (ctx.stopNoteAttachments); runs before the notes are written.
void internStopNotes(CompileContext& ctx);

void compileHeader(CompileContext& ctx, ContentWriter& out);
void compileSearchDefaults(CompileContext& ctx, ContentWriter& out);
void compileNotes(CompileContext& ctx, ContentWriter& out);
void compileStops(CompileContext& ctx, ContentWriter& out);
void compileCategories(CompileContext& ctx, ContentWriter& out);
// The line tables, written at their place inside the trips section.
void compileLineTables(CompileContext& ctx, ContentWriter& out);
// The name block; written last because every other section adds names to it.
void compileNameBlock(CompileContext& ctx, ContentWriter& out);

}  // namespace jz
