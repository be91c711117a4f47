#pragma once
// The steps of uidrive that make the world misbehave: a served timetable damaged after the
// update information was written for it, update information that is no such file, a storage
// folder on a file system of its own, and a full disk under the data folder. The file systems
// are tmpfs mounts made for the run and unmounted at its end.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform::services {
class LoopbackHttpServer;
}

namespace uidrive {

class FaultSteps {
public:
    FaultSteps(std::filesystem::path dataFolder, std::filesystem::path configHome);
    ~FaultSteps();
    FaultSteps(const FaultSteps&) = delete;
    FaultSteps& operator=(const FaultSteps&) = delete;

    // Damages a file in place: "random" bytes after the first 16 and four "flip"ped bits keep
    // its length, "half" and "64" cut it, "empty" leaves nothing, "html" an error page (a served
    // file is then announced with the damaged file's own length).
    static std::string damage(const std::filesystem::path& file, const std::string& kind);
    // Flips one bit of a timetable file where the engine's own reader still takes the file
    // whole: a damage only a digest of the file can tell.
    static std::string flipReadableBit(const std::filesystem::path& file);
    // The update information the server sends: "html" (an error page with status 200), "huge"
    // (3 MB with its length), "endless" (16 MB without a length), "slow" (a sound file that
    // takes two seconds, without a length), or a server that fails: "error" (503), "loop" (a
    // redirect to itself), "local" (a redirect to a file:// address) or "cut" (the body breaks
    // off halfway).
    static std::string updateInformation(platform::services::LoopbackHttpServer& server,
                                         const std::filesystem::path& serverFolder,
                                         const std::string& kind);

    // A storage folder on a tmpfs of its own, named in "Path"; the timetable goes into its
    // pelorvant/data folder. Its folder is ${STORAGE}.
    std::string storageOnTmpfs(const std::filesystem::path& timetable, const std::string& name);
    const std::filesystem::path& storage() const { return storage_; }
    // "on": the data folder moves onto a small tmpfs that is then filled up; "off": the space is
    // freed again (the tmpfs stays).
    std::string diskFull(bool on);

    // Unmounts everything; also done by the destructor.
    void release();

private:
    std::filesystem::path dataFolder_;
    std::filesystem::path configHome_;
    std::filesystem::path storage_;
    std::vector<std::filesystem::path> mounts_;
};

// Two files hold the same bytes.
bool sameBytes(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace uidrive
