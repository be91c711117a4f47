#include "engine/data/ByteSource.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "engine/data/EngineException.h"

namespace trasovnik {

namespace {

// A timetable file read through the C library's buffered streams.
class FileByteSource final : public ByteSource {
public:
    FileByteSource(std::FILE* file, std::uint64_t size) : file_(file), left_(size) {}
    ~FileByteSource() override { close(); }

    void read(std::uint8_t* buf, std::size_t n) override {
        if (n == 0) {
            return;
        }
        if (file_ == nullptr || n > left_) {
            raiseEngine(ENGINE_EXC_SHORT_READ);
        }
        std::size_t got = std::fread(buf, 1, n, file_);
        if (got != n) {
            left_ = 0;
            raiseEngine(ENGINE_EXC_SHORT_READ);
        }
        left_ -= n;
    }

    std::uint64_t remaining() const override { return file_ == nullptr ? 0 : left_; }

    void close() override {
        if (file_ != nullptr) {
            std::fclose(file_);
            file_ = nullptr;
        }
        left_ = 0;
    }

private:
    std::FILE* file_;
    std::uint64_t left_;
};

// Bytes held in memory: used by tests and the fuzzers.
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    void read(std::uint8_t* buf, std::size_t n) override {
        if (n > remaining()) {
            offset_ = bytes_.size();
            raiseEngine(ENGINE_EXC_SHORT_READ);
        }
        if (n != 0) {
            std::memcpy(buf, bytes_.data() + offset_, n);
        }
        offset_ += n;
    }

    std::uint64_t remaining() const override { return bytes_.size() - offset_; }

    void close() override {
        bytes_.clear();
        bytes_.shrink_to_fit();
        offset_ = 0;
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};

}  // namespace

std::unique_ptr<ByteSource> openFileByteSource(std::string_view path) {
    // The C call needs a terminated name; a name with an embedded NUL would silently open a
    // different (truncated) path, so it is refused.
    if (path.empty() || path.find('\0') != std::string_view::npos) {
        raiseEngine(ENGINE_EXC_OPEN);
    }
    std::string name(path);
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) {
        raiseEngine(ENGINE_EXC_OPEN);
    }
    // Only regular files are timetables: a directory opens on Linux but cannot be read.
    struct stat st {};
    if (fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fclose(file);
        raiseEngine(ENGINE_EXC_OPEN);
    }
    try {
        return std::make_unique<FileByteSource>(file, static_cast<std::uint64_t>(st.st_size));
    } catch (const std::bad_alloc&) {
        std::fclose(file);
        raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
    }
}

std::unique_ptr<ByteSource> makeMemoryByteSource(std::vector<std::uint8_t> bytes) {
    try {
        return std::make_unique<MemoryByteSource>(std::move(bytes));
    } catch (const std::bad_alloc&) {
        raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
    }
}

}  // namespace trasovnik
