#include "app/core/FileUtils.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace pelorvant {

namespace fs = std::filesystem;

fs::path getProgramFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path();
}

std::u16string folderOfPath(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u"/\\");
    if (slash != std::u16string_view::npos) return std::u16string(path.substr(0, slash + 1));
    const std::size_t colon = path.rfind(u':');
    if (colon != std::u16string_view::npos) return std::u16string(path.substr(0, colon)) + u"/";
    return {};
}

std::vector<std::u16string> splitString(std::u16string_view text, std::u16string_view separators) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find_first_of(separators, start);
        parts.emplace_back(text.substr(start, at == std::u16string_view::npos ? std::u16string_view::npos : at - start));
        if (at == std::u16string_view::npos) break;
        start = at + 1;
    }
    return parts;
}

bool fileExists(const fs::path& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

std::int64_t getFileSize(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return -1;
    const auto size = fs::file_size(path, ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

std::optional<std::int64_t> getFreeSpace(const fs::path& folder) {
    struct statvfs info {};
    if (::statvfs(folder.c_str(), &info) != 0) return std::nullopt;
    return freeKilobytes(info.f_bavail, info.f_frsize);
}

std::int64_t freeKilobytes(std::uint64_t blocks, std::uint64_t blockSize) {
    // Whole groups of 1024 blocks, then the rest, so that no product leaves 64 bits.
    const std::uint64_t limit = static_cast<std::uint64_t>(INT64_MAX);
    if (blockSize == 0) return 0;
    const std::uint64_t groups = blocks / 1024;
    if (blockSize > limit / 1024 || groups > limit / blockSize) return INT64_MAX;
    const std::uint64_t kilobytes = groups * blockSize + blocks % 1024 * blockSize / 1024;
    return kilobytes > limit ? INT64_MAX : static_cast<std::int64_t>(kilobytes);
}

bool appendToFile(const fs::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = true;
    while (ok && !bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return ::close(fd) == 0 && ok;
}

std::optional<std::size_t> findSubstring(std::u16string_view text, std::u16string_view part) {
    const std::size_t at = text.find(part);
    if (at == std::u16string_view::npos) return std::nullopt;
    return at;
}

std::vector<std::string> listFilesWithExtension(const fs::path& folder, std::string_view extension) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return names;
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    const std::string wanted = lower(std::string(extension));
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.size() <= wanted.size() || !it->is_regular_file(typeError)) continue;
        if (lower(name.substr(name.size() - wanted.size())) == wanted) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace pelorvant
