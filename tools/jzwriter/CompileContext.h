#pragma once
// What the section compilers share while one timetable description is compiled: the source
// document, the file version, the name block under construction, the note attachments, the
// indexes of named objects and the figures that one section derives for another.

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tools/jzwriter/NameTableBuilder.h"
#include "tools/jzwriter/NoteAttachments.h"

namespace jz {

// A fault in a timetable description; the message says where.
class CompileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CompileContext {
    explicit CompileContext(const nlohmann::json& d) : doc(d) {}

    const nlohmann::json& doc;
    int major = 4;
    int minor = 0;

    NameTableBuilder names;
    NoteAttachments attachments;

    // Ids used in the description mapped to indexes in the file.
    std::map<std::string, int> stopIndex;
    std::map<std::string, int> townIndex;
    std::map<std::string, int> groupIndex;
    std::map<std::string, int> noteIndex;
    std::map<std::string, int> lineKindIndex;
    std::map<std::string, int> lineGroupIndex;
    std::map<std::string, int> lineIndex;
    std::map<std::string, int> calendarIndex;

    // The attachment index of each stop's note list, in stop order (0, the empty list, for
    // stops without notes); interned with the trips' lists before the notes are written.
    std::vector<std::uint32_t> stopNoteAttachments;
    // Derived by prepareTrips for the stops section: passages per stop, in stop order.
    std::vector<std::uint32_t> passageCountOfStop;
    // Whether the header's kind makes this a city file (line routes are built for it).
    bool cityFile = false;

    // True for files whose version is at least major.minor.
    bool atLeast(int ma, int mi) const { return major > ma || (major == ma && minor >= mi); }
};

// Index of `id` in `table`, or a CompileError naming `what`.
int lookupId(const std::map<std::string, int>& table, const std::string& id, const char* what);

// The attachment index of a list of note ids, interned in ctx.attachments.
std::uint32_t internNoteIds(CompileContext& ctx, const nlohmann::json& ids);

}  // namespace jz
