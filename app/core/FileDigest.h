#pragma once
// SHA-256 digests of timetable files. The update information may give one for each file it
// offers (section "sha256", key the timetable name, value 64 hexadecimal digits); a received
// file whose digest differs is damaged even when the engine's reader accepts it, since a
// flipped bit can leave a file that still reads. Computed with libcrypto.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pelorvant {

inline constexpr const char* kDigestSection = "sha256";

using Sha256 = std::array<unsigned char, 32>;

// The digest of a file's bytes; nothing when the file cannot be read whole.
std::optional<Sha256> sha256OfFile(const std::filesystem::path& file);
// 64 lower-case hexadecimal digits.
std::string sha256Hex(const Sha256& digest);
// Exactly 64 hexadecimal digits, of either case; nothing for any other text.
std::optional<Sha256> parseSha256(std::string_view text);

enum class DigestVerdict {
    NoDigest,    // the update information gives none: the other checks decide alone
    Match,
    Mismatch,    // the file is damaged
    Malformed,   // the given value is no digest: the file cannot be checked
    Unreadable,  // the file cannot be read
};

// The received file against the update information's value ("" when it gives none).
DigestVerdict verifyFileDigest(const std::filesystem::path& file, std::string_view expected);

}  // namespace pelorvant
