#include "platform/services/instance/InstanceName.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace platform::services {
namespace {

// FNV-1a: a stable short name for a long path (socket names hold at most 107 bytes).
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

std::filesystem::path absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') return {};
    return value;
}

}  // namespace

InstanceName instanceNameFor(const std::filesystem::path& programPath,
                             const std::filesystem::path& runtimeFolder) {
    const std::string path = programPath.string();
    InstanceName name;
    name.lockFile = runtimeFolder / (programPath.filename().string() + "-" + hex(hashText(path)) + ".lock");
    name.socketName = "trasa-instance-" + hex(hashText(name.lockFile.string()));
    return name;
}

std::filesystem::path defaultRuntimeFolder() {
    std::filesystem::path runtime = absoluteFromEnvironment("XDG_RUNTIME_DIR");
    if (!runtime.empty()) return runtime;
    std::filesystem::path cache = absoluteFromEnvironment("XDG_CACHE_HOME");
    std::filesystem::path folder;
    if (cache.empty()) {
        std::filesystem::path home = absoluteFromEnvironment("HOME");
        if (!home.empty()) cache = home / ".cache";
    }
    // Without any home the folder is the user's own under /tmp.
    folder = cache.empty() ? std::filesystem::path("/tmp/trasa-instance-" + std::to_string(::getuid()))
                           : cache / "trasa-instance";
    std::error_code error;
    if (!cache.empty()) std::filesystem::create_directories(cache, error);
    ::mkdir(folder.c_str(), 0700);
    return folder;
}

}  // namespace platform::services
