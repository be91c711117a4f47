#pragma once
// Reading a set's stored results: a result by id, a connection of it, the stored result a leg
// belongs to, and the next or previous alternative of a leg: another trip that serves the
// leg's boarding and alighting stops after or before it. Everything not stored, and every
// index outside its result, is ENGINE_EXC_INDEX.

#include <cstdint>

#include "engine/search/results/ResultRecords.h"

namespace trasovnik {

class cSestava;
class cVysledekHledani;

cVysledekHledani& storedResult(cSestava& set, std::int32_t resultId);
cSpojeni& storedConnection(cSestava& set, std::int32_t resultId, std::int32_t index);
// The stored result that holds `leg` (a leg of a connection or an alternative built for one).
cVysledekHledani& resultOwningLeg(cSestava& set, const cUsekSpojeni* leg);

enum class AlternativeDirection { kLater, kEarlier };

// The linked alternative when there is one; else the first trip after (before) the leg's own
// departure at its boarding stop, going on into the next (previous) day, that runs on its day,
// may be boarded there and reaches the alighting stop later on its route where alighting is
// allowed, no further than one day from the leg's departure. It is kept in the leg's result
// and linked to the leg. A walking leg, or a leg without such a trip, gives the leg itself.
cVysledekSpoj* alternativeOf(cSestava& set, cUsekSpojeni& leg, AlternativeDirection direction);

}  // namespace trasovnik
