#include "engine/data/IniFileSystem.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace trasovnik {
namespace {

// A file descriptor that is closed on every path out of a scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (a close can report a failed
    // write-back).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes, syncs and closes `path`, created anew.
bool writeDurably(const std::string& path, std::string_view bytes) {
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd.valid()) {
        return false;
    }
    if (!writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) {
        return false;
    }
    return fd.close();
}

std::optional<std::string> readUpTo(const std::string& path, std::size_t maxBytes) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid()) {
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    std::string out;
    char buf[8192];
    while (out.size() < maxBytes) {
        const std::size_t want = std::min(sizeof buf, maxBytes - out.size());
        const ssize_t n = ::read(fd.get(), buf, want);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
}

// The folder part of `path` ("." for a bare file name), for syncing a rename.
std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    if (slash == 0) {
        return "/";
    }
    return path.substr(0, slash);
}

class PosixIniFileSystem final : public IniFileSystem {
public:
    bool writeFile(const std::string& path, std::string_view bytes) override {
        return writeDurably(path, bytes);
    }

    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override {
        return readUpTo(path, maxBytes);
    }

    bool copyFile(const std::string& source, const std::string& target) override {
        // The store's files are small; a source larger than this is not one of them.
        constexpr std::size_t kMaxCopyBytes = 16u << 20;
        const auto bytes = readUpTo(source, kMaxCopyBytes + 1);
        if (!bytes || bytes->size() > kMaxCopyBytes) {
            return false;
        }
        // The copy goes to a sibling first and is renamed over the target only when it is
        // complete on storage, so the target never holds a partial copy.
        const std::string sibling = copySiblingOf(target);
        if (!writeDurably(sibling, *bytes)) {
            ::unlink(sibling.c_str());
            return false;
        }
        if (::rename(sibling.c_str(), target.c_str()) != 0) {
            ::unlink(sibling.c_str());
            return false;
        }
        // Make the rename itself durable.
        Descriptor dir(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.valid()) {
            ::fsync(dir.get());
        }
        return true;
    }

    bool removeFile(const std::string& path) override {
        return ::unlink(path.c_str()) == 0 || errno == ENOENT;
    }

    bool keepAside(const std::string& source, const std::string& target) override {
        if (::link(source.c_str(), target.c_str()) == 0) {
            return true;
        }
        // A taken name stays as it is; a file system without links (a memory card's) renames.
        if (errno == EEXIST || (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK)) {
            return false;
        }
        return ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0;
    }
};

}  // namespace

std::string copySiblingOf(const std::string& target) {
    return target + ".new~";
}

IniFileSystem& realIniFileSystem() {
    static PosixIniFileSystem fs;
    return fs;
}

}  // namespace trasovnik
