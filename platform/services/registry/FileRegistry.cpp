// The file-backed value store: <configHome>/<key>/<sub key>/.../<value name>, one file a value.
#include "platform/services/registry/Registry.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace platform::services {
namespace {

namespace fs = std::filesystem;

// The lock file of a key folder; its leading dot keeps it apart from every value file, whose
// names never start with a dot (see valueFileName).
constexpr const char* kLockFileName = ".lock";
constexpr const char* kTempPrefix = ".new-";
constexpr const char* kTempPattern = ".new-XXXXXX";

// An open file descriptor, closed when it goes.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// One component of a file name: bytes that would change the folder structure or collide with
// the store's own files ('/', '%', NUL, a leading '.') are written as %XX. The empty name (a
// key's default value) becomes "%", which no encoded name can be.
std::string encodeComponent(std::string_view name) {
    if (name.empty()) return "%";
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c == '/' || c == '%' || c == 0 || (i == 0 && c == '.')) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The folder of a key path: components split at '\\', empty ones skipped.
fs::path keyFolder(const fs::path& home, std::string_view keyPath) {
    fs::path folder = home;
    std::size_t start = 0;
    while (start <= keyPath.size()) {
        std::size_t end = keyPath.find('\\', start);
        if (end == std::string_view::npos) end = keyPath.size();
        if (end > start) folder /= encodeComponent(keyPath.substr(start, end - start));
        start = end + 1;
    }
    return folder;
}

// Holds an flock on the key folder's lock file while it lives.
class FolderLock {
public:
    FolderLock(const fs::path& folder, int operation)
        : fd_(::open((folder / kLockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (!fd_.valid()) return;
        int rc;
        do {
            rc = ::flock(fd_.get(), operation);
        } while (rc != 0 && errno == EINTR);
        locked_ = rc == 0;
    }
    bool locked() const { return locked_; }

private:
    Fd fd_;
    bool locked_ = false;
};

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

class FileRegistry final : public Registry {
public:
    explicit FileRegistry(fs::path home) : home_(std::move(home)) {}

    std::optional<std::string> readString(std::string_view keyPath, std::string_view name,
                                          std::size_t maxBytes) override {
        // Values are replaced by rename, so an open file is always one whole value; no lock
        // is needed to read.
        return readFile(keyFolder(home_, keyPath) / encodeComponent(name), maxBytes);
    }

    bool writeString(std::string_view keyPath, std::string_view name,
                     std::string_view value) override {
        return update(keyPath, name,
                      [&](const fs::path&) { return std::optional<std::string>(value); });
    }

    bool updateString(std::string_view keyPath, std::string_view name, std::size_t maxBytes,
                      const Change& change) override {
        return update(keyPath, name,
                      [&](const fs::path& target) { return change(readFile(target, maxBytes)); });
    }

    bool removeValue(std::string_view keyPath, std::string_view name) override {
        const fs::path folder = keyFolder(home_, keyPath);
        std::error_code ec;
        if (!fs::is_directory(folder, ec))
            return true;
        FolderLock lock(folder, LOCK_EX);
        if (!lock.locked())
            return false;
        const fs::path target = folder / encodeComponent(name);
        return ::unlink(target.c_str()) == 0 || errno == ENOENT;
    }

private:
    static std::optional<std::string> readFile(const fs::path& file, std::size_t maxBytes) {
        Fd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
        if (!fd.valid()) return std::nullopt;
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
        std::string text;
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
            if (n < 0) {
                if (errno == EINTR) continue;
                return std::nullopt;
            }
            if (n == 0) break;
            text.append(buffer, static_cast<std::size_t>(n));
            if (text.size() > maxBytes) return std::nullopt;
        }
        return text;
    }

    // Writes what `make` gives for the value's file, under the key folder's exclusive lock.
    template <typename Make>
    bool update(std::string_view keyPath, std::string_view name, Make make) {
        const fs::path folder = keyFolder(home_, keyPath);
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec) return false;
        FolderLock lock(folder, LOCK_EX);
        if (!lock.locked())
            return false;
        removeStaleTemporaries(folder);
        const fs::path target = folder / encodeComponent(name);
        const std::optional<std::string> value = make(target);
        if (!value)
            return true;
        std::string tempName = (folder / kTempPattern).string();
        std::vector<char> temp(tempName.begin(), tempName.end());
        temp.push_back('\0');
        Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
        if (!fd.valid())
            return false;
        const bool written = writeAll(fd.get(), *value) && ::fsync(fd.get()) == 0;
        if (!written || ::rename(temp.data(), target.c_str()) != 0) {
            ::unlink(temp.data());
            return false;
        }
        return true;
    }

    // A writer holds the lock while its temporary file exists, so one found under the lock was
    // left by a writer that died (a kill during the write): it is removed.
    static void removeStaleTemporaries(const fs::path& folder) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code ignored;
            if (it->path().filename().string().starts_with(kTempPrefix))
                fs::remove(it->path(), ignored);
        }
    }

    fs::path home_;
};

}  // namespace

std::unique_ptr<Registry> makeFileRegistry(const std::filesystem::path& configHome) {
    return std::make_unique<FileRegistry>(configHome);
}

std::filesystem::path defaultConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".config";
}

}  // namespace platform::services
