#pragma once
// Reads of counts and texts whose sizes come from an untrusted timetable file: the stream is
// asked first whether it can still hold what the count promises, so that a bogus count fails
// with ENGINE_EXC_SHORT_READ instead of becoming a huge allocation.

#include <cstdint>
#include <string>

#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

// A 32-bit count of entries of at least `smallestEntryBytes` bytes each.
inline std::uint32_t readCount(TimetableFileReader& reader, std::uint64_t smallestEntryBytes) {
    std::uint32_t count = reader.readU32();
    reader.requireContent(static_cast<std::uint64_t>(count) * smallestEntryBytes);
    return count;
}

// A text stored as a 32-bit length and that many bytes.
inline std::string readCheckedText(TimetableFileReader& reader) {
    std::uint32_t length = readCount(reader, 1);
    return reader.readBytes(length);
}

}  // namespace trasovnik
