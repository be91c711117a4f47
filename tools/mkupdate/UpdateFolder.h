#pragma once
// Writes what an update server offers, from a folder of timetable files: the update
// information "pelorakt.ini" (sections "tt", "size", "desc", "sha256" (each file's SHA-256 in
// 64 hexadecimal digits) and "setup") and the
// program-version file "app/pelorakt.ini" (section "setup": "last" and "version"). Any static
// HTTP server can then serve the folder.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mkupdate {

struct Options {
    std::filesystem::path folder;
    std::string dir;            // the public address of the folder; "" leaves "dir" out
    std::int32_t build = 0;     // the newest program build ("last")
    std::string version;        // its version text, UTF-8
};

struct Report {
    std::vector<std::string> offered;   // titles written, UTF-8
    std::vector<std::string> problems;  // one line per file left out, UTF-8
};

// Reads every "*.jz" header of the folder and writes both files; a file whose name is not
// its title followed by ".jz" (the program asks for exactly that name) or whose header cannot
// be read is left out with a problem line. Throws std::runtime_error when a file cannot be written.
Report writeUpdateFolder(const Options& options);

}  // namespace mkupdate
