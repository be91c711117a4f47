#pragma once
// A folder that only this user can enter: a real directory (not a link), owned by this user,
// without any access for the group or others. The instance's lock file and socket file live in
// one, so no other local user can take their names first or reach them.
#include "platform/services/environment/HomeFolder.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <sys/stat.h>

namespace platform::services {

// True when the status (of the folder itself, links not followed) is that of a private folder
// of the user `uid`.
bool isPrivateFolder(const struct stat& status, uid_t uid);

class PrivateFolder {
public:
    // The folder when it passes the checks; nothing otherwise. Checked once on the folder
    // opened here, which the object keeps open: every later use goes through it.
    static std::optional<PrivateFolder> open(const std::filesystem::path& path);

    ~PrivateFolder();
    PrivateFolder(PrivateFolder&& other) noexcept;
    PrivateFolder& operator=(PrivateFolder&&) = delete;
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // The open folder, for the *at() calls.
    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }
    // A path of `name` in this folder that fits a socket address: the folder's own path when
    // it is short enough, else the path through this process's open folder (/proc/self/fd).
    // Empty when even that does not fit.
    std::string socketPath(std::string_view name) const;

private:
    PrivateFolder(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
    int fd_;
    std::filesystem::path path_;
};

// Where this user's instances meet: $XDG_RUNTIME_DIR when it is set, absolute and private.
// Otherwise the folder "trasa-instance" (made with mode 0700 when missing, closed to others when
// it is the user's own but open) in the first of these cache folders that gives a private one:
// $XDG_CACHE_HOME, then .cache in $HOME, then .cache in `databaseHome` (the home that the
// password database names). A cache folder counts only when it belongs to this user or to root
// and no other user can change its entries, so nobody else can swap the folder away; a
// "trasa-instance" that another user made first is passed over, never used. Empty when none
// gives a private folder.
std::filesystem::path defaultRuntimeFolder(const std::filesystem::path& databaseHome = homeInPasswordDatabase());

}  // namespace platform::services
