#pragma once
// File and folder routines of the program. Paths are Linux paths; texts are the program's
// strings where they are shown or stored.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorvant {

// The folder of the running program file (/proc/self/exe); empty when it cannot be found.
std::filesystem::path getProgramFolder();
// The path up to and including its last '/' (or '\\'); without one, up to its last ':'
// followed by '/'; without either, "".
std::u16string folderOfPath(std::u16string_view path);
// The parts between any of the separator characters (empty parts included).
std::vector<std::u16string> splitString(std::u16string_view text, std::u16string_view separators);
// True when a file or folder of that path exists.
bool fileExists(const std::filesystem::path& path);
// Size in bytes; -1 when it is not a readable regular file.
std::int64_t getFileSize(const std::filesystem::path& path);
// Free space available to the user on the folder's disk in kilobytes, in 64 bits (a 32-bit
// figure wraps at 2 TiB); nothing when the folder cannot be asked.
std::optional<std::int64_t> getFreeSpace(const std::filesystem::path& folder);
// blocks × blockSize ÷ 1024 without overflow; saturates at the largest 64-bit value.
std::int64_t freeKilobytes(std::uint64_t blocks, std::uint64_t blockSize);
// Appends the bytes to the file, creating it; false when it cannot be opened or written.
bool appendToFile(const std::filesystem::path& path, std::string_view bytes);
// Position of the first occurrence of part in text.
std::optional<std::size_t> findSubstring(std::u16string_view text, std::u16string_view part);
// The regular files of the folder whose names end in the extension (given with its dot),
// ignoring letter case, sorted by name; none when the folder cannot be read.
std::vector<std::string> listFilesWithExtension(const std::filesystem::path& folder, std::string_view extension);

}  // namespace pelorvant
