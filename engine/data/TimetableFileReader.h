#pragma once
// Reads a timetable file's container and presents its content as one stream of big-endian
// values across plain and LZO1X-compressed blocks, with a stack of section marks so that a
// section reader can skip what it did not read. Nothing read from the file is trusted: every
// read past the content's end raises ENGINE_EXC_SHORT_READ, and a block that does not
// decompress to its stated size raises ENGINE_EXC_DECOMPRESS.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/data/ByteSource.h"

namespace trasovnik {

class TimetableFileReader {
public:
    static constexpr std::uint32_t kMagic = 0x27BC86AA;

    TimetableFileReader();
    ~TimetableFileReader();
    TimetableFileReader(const TimetableFileReader&) = delete;
    TimetableFileReader& operator=(const TimetableFileReader&) = delete;

    // Opens the file and reads the 12-byte container header (magic, major, minor).
    // ENGINE_EXC_OPEN, ENGINE_EXC_SHORT_READ, ENGINE_EXC_OUT_OF_MEMORY.
    void openFile(std::string_view name);
    // The same over bytes in memory; `name` is what fileName() reports.
    void openBytes(std::vector<std::uint8_t> bytes, std::string_view name);

    std::uint32_t magic() const { return magic_; }
    std::int32_t majorVersion() const { return major_; }
    std::int32_t minorVersion() const { return minor_; }
    const std::string& fileName() const { return name_; }

    // Reads the plain block table; the caller does this after checking magic and version.
    void readPlainBlockTable();

    // The common case, a value wholly inside the current block, is inline; values that
    // straddle blocks (and the end of the content) take the out-of-line path.
    std::uint8_t readU8() {
        if (cur_ != end_) [[likely]] {
            return *cur_++;
        }
        return readU8Slow();
    }
    std::int8_t readI8() { return static_cast<std::int8_t>(readU8()); }
    bool readBool() { return readU8() == 1; }  // true when the byte equals 1
    std::uint16_t readU16() {
        if (end_ - cur_ >= 2) [[likely]] {
            std::uint16_t v = static_cast<std::uint16_t>((cur_[0] << 8) | cur_[1]);
            cur_ += 2;
            return v;
        }
        return readU16Slow();
    }
    std::int16_t readI16() { return static_cast<std::int16_t>(readU16()); }
    std::uint32_t readU32() {
        if (end_ - cur_ >= 4) [[likely]] {
            std::uint32_t v = (std::uint32_t{cur_[0]} << 24) | (std::uint32_t{cur_[1]} << 16) |
                              (std::uint32_t{cur_[2]} << 8) | std::uint32_t{cur_[3]};
            cur_ += 4;
            return v;
        }
        return readU32Slow();
    }
    std::int32_t readI32() { return static_cast<std::int32_t>(readU32()); }
    // Eight bytes in stream order taken as one value in the machine's byte order.
    std::uint64_t readRaw8();
    double readRawDouble();
    // n bytes as a new buffer.
    std::string readBytes(std::size_t n);
    void readInto(std::uint8_t* buf, std::size_t n);
    // A 32-bit length and that many bytes.
    std::string readText();
    void skip(std::uint64_t n);

    // Raises ENGINE_EXC_SHORT_READ unless the content stream can still hold `bytes` more
    // bytes. Section readers call it with (count × smallest entry size) before they allocate
    // for a count read from the file, so a bogus count never becomes a huge allocation.
    void requireContent(std::uint64_t bytes);

    void beginSection();
    // Skips to the end of the innermost open section (nothing when already at or past it).
    // A section's length counts stream bytes, so the flag byte of each compressed block that
    // begins inside the section is part of it.
    // ENGINE_EXC_INDEX when no section is open.
    void endSection();
    // Stream bytes left in the innermost open section: content bytes and the flag byte of
    // each compressed block that begins there (0 when at or past its end). ENGINE_EXC_INDEX
    // when no section is open.
    std::uint64_t sectionBytesLeft() const;
    // beginSection() then endSection(): skip a whole section.
    void skipSection() {
        beginSection();
        endSection();
    }

    // Bytes consumed so far: content bytes plus the flag byte of every compressed block
    // loaded in a file of major version 3 or later.
    std::uint64_t streamPosition() const {
        return position_ + static_cast<std::uint64_t>(cur_ - base_);
    }

    void close();

private:
    struct Impl;
    // Reads magic, major and minor from the start of the source.
    void readContainerHeader();
    // Makes the next block with content current; false when the content has ended.
    bool loadNextBlock();
    // Values at a block border or at the end of the content, assembled byte by byte.
    [[gnu::cold]] std::uint8_t readU8Slow();
    [[gnu::cold]] std::uint16_t readU16Slow();
    [[gnu::cold]] std::uint32_t readU32Slow();
    // Loads blocks until the current one has a byte left; ENGINE_EXC_SHORT_READ at the end.
    void refill();

    std::unique_ptr<Impl> impl_;
    std::string name_;
    std::uint32_t magic_ = 0;
    std::int32_t major_ = -1;
    std::int32_t minor_ = -1;
    // Bytes consumed before the current block's first byte (base_); the reads themselves
    // only move cur_, so the position costs nothing on the fast path.
    std::uint64_t position_ = 0;
    // Fast path: the current block's bytes.
    const std::uint8_t* base_ = nullptr;
    const std::uint8_t* cur_ = nullptr;
    const std::uint8_t* end_ = nullptr;
};

}  // namespace trasovnik
