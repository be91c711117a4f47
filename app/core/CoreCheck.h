#pragma once
// The program's start-up as far as the core goes: binds the engine from the program folder,
// creates it, reads the settings and lists the headers of the timetable files found. The
// program entry runs this until the interface exists.
#include <filesystem>
#include <iosfwd>

namespace pelorvant {

// Writes the settings read and one line per header to out, failures to err; 0 on success, 1
// when the engine could not be bound or created.
// programFolder holds the engine and the language libraries.
int runCoreCheck(const std::filesystem::path& programFolder, int argc, const char* const* argv, std::ostream& out,
                 std::ostream& err);

}  // namespace pelorvant
