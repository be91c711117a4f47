#include "platform/services/instance/InstanceName.h"

#include <cstdint>
#include <cstdio>

namespace platform::services {
namespace {

// FNV-1a: a stable short name for a long path.
std::uint64_t hashText(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string hex(std::uint64_t value) {
    char buffer[17];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(value));
    return buffer;
}

// The program's file name, cut to a length that leaves room in a socket address.
constexpr std::size_t kMaxStem = 24;

}  // namespace

InstanceName instanceNameFor(const std::filesystem::path& programPath) {
    const std::string stem = programPath.filename().string().substr(0, kMaxStem) + "-" +
                             hex(hashText(programPath.string()));
    return InstanceName{stem + ".lock", stem + ".socket"};
}

}  // namespace platform::services
