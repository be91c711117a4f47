#pragma once
// Changing a set's search parameters. Each setter clamps the value it is given (compared as a
// 32-bit value before narrowing) and, when the stored value changes, empties the set's result
// store, so that no stored result and no connection record of the set outlives a parameter
// change. The default number of transfers is stored unconditionally and keeps the results.
// A timetable or line-kind index outside the set raises ENGINE_EXC_INDEX.

#include <cstddef>
#include <cstdint>

namespace trasovnik {

class cSestava;

void setMaxResultConnections(cSestava& set, std::size_t timetable, std::int32_t value);
void setStandardMinutes(cSestava& set, std::size_t timetable, std::int32_t value);
void setMaximumMinutes(cSestava& set, std::size_t timetable, std::int32_t value);
void setMinimumTransfer(cSestava& set, std::size_t timetable, std::int32_t value);
void setSafeTransfer(cSestava& set, std::size_t timetable, std::int32_t value);
void setTransferPenalty(cSestava& set, std::size_t timetable, std::int32_t value);
void setTransferRequiredAtVia(cSestava& set, std::size_t timetable, std::uint8_t value);
void setMayUseLineKind(cSestava& set, std::size_t timetable, std::size_t lineKind,
                       std::uint8_t value);
// Also recomputes the set default of transfers.
void setDefaultTransfers(cSestava& set, std::size_t timetable, std::int32_t value);

}  // namespace trasovnik
