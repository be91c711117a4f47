#include "engine/data/TimetableFileReader.h"

#include <lzo/lzo1x.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "engine/data/EngineException.h"

namespace trasovnik {

namespace {

// Largest block (plain buffer, unpacked or packed block) a file may declare. Real files use
// blocks of tens of kilobytes; anything above this is a corrupt or hostile table, refused
// before any allocation.
constexpr std::uint32_t kMaxBlockBytes = 16u << 20;
// LZO1X cannot produce more than 255 bytes per input byte (a long match costs one byte per
// 255 of length), so a block that claims more is refused when the table is read. This keeps
// the bound that requireContent relies on proportional to the file's size.
constexpr std::uint64_t kMaxExpansion = 256;

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

// Runs an allocation, turning std::bad_alloc into the engine's out-of-memory failure.
template <typename F>
void allocating(F&& f) {
    try {
        f();
    } catch (const std::bad_alloc&) {
        raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
    }
}

void initLzoOnce() {
    static const bool ok = lzo_init() == LZO_E_OK;
    if (!ok) {
        raiseEngine(ENGINE_EXC_DECOMPRESS);
    }
}

struct SectionMark {
    std::uint64_t start;   // stream position right after the length word
    std::uint64_t length;  // stream bytes of the section: content and the flag bytes within
};

}  // namespace

struct TimetableFileReader::Impl {
    std::unique_ptr<ByteSource> source;
    bool flagBytes = false;  // compressed blocks start with a flag byte (major 3 and later)

    // Plain run.
    bool plainTableRead = false;
    std::uint32_t plainBufferSize = 0;
    std::vector<std::uint32_t> plainLengths;
    std::size_t nextPlain = 0;
    std::uint64_t plainContentLeft = 0;  // bytes of the plain blocks not loaded yet
    std::vector<std::uint8_t> plainBuffer;
    // Plain blocks read ahead of the stream (so that the compressed table could be read
    // early); entry i holds plain block aheadFirst + i.
    std::vector<std::vector<std::uint8_t>> ahead;
    std::size_t aheadFirst = 0;

    // Compressed run.
    bool compressedTableRead = false;
    bool inCompressedRun = false;
    std::uint32_t maxUnpacked = 0;
    std::uint32_t maxPacked = 0;
    std::vector<std::uint32_t> unpackedSizes;
    std::vector<std::uint32_t> packedSizes;
    std::size_t nextCompressed = 0;
    // Upper bound of the content bytes of the compressed blocks not loaded yet (exact when
    // every block is a content block).
    std::uint64_t compressedContentLeft = 0;
    std::vector<std::uint8_t> blockBuffer;
    std::vector<std::uint8_t> packedBuffer;

    std::vector<SectionMark> marks;

    std::uint32_t readSourceU32() {
        std::uint8_t b[4];
        source->read(b, 4);
        return be32(b);
    }

    std::vector<std::uint8_t> readSourceBytes(std::uint64_t n) {
        if (n > source->remaining()) {
            raiseEngine(ENGINE_EXC_SHORT_READ);
        }
        std::vector<std::uint8_t> bytes;
        allocating([&] { bytes.resize(static_cast<std::size_t>(n)); });
        source->read(bytes.data(), bytes.size());
        return bytes;
    }

    std::uint64_t blockContent(std::size_t i) const {
        std::uint64_t u = unpackedSizes[i];
        return flagBytes ? (u == 0 ? 0 : u - 1) : u;
    }

    void readCompressedTable() {
        std::uint32_t length = readSourceU32();
        if (length > source->remaining()) {
            raiseEngine(ENGINE_EXC_SHORT_READ);
        }
        if (length < 12 || (length - 12) % 8 != 0) {
            raiseEngine(ENGINE_EXC_DECOMPRESS);
        }
        std::vector<std::uint8_t> table = readSourceBytes(length);
        maxUnpacked = be32(&table[0]);
        maxPacked = be32(&table[4]);
        std::uint32_t count = be32(&table[8]);
        if (std::uint64_t{length} != 12 + 8 * std::uint64_t{count} ||
            maxUnpacked > kMaxBlockBytes || maxPacked > kMaxBlockBytes) {
            raiseEngine(ENGINE_EXC_DECOMPRESS);
        }
        allocating([&] {
            unpackedSizes.resize(count);
            packedSizes.resize(count);
        });
        std::uint64_t packedTotal = 0;
        std::uint32_t largestUnpacked = 0, largestPacked = 0;
        compressedContentLeft = 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t unpacked = be32(&table[12 + 8 * std::size_t{i}]);
            std::uint32_t packed = be32(&table[16 + 8 * std::size_t{i}]);
            if (unpacked > maxUnpacked || packed > maxPacked || unpacked > kMaxExpansion * packed) {
                raiseEngine(ENGINE_EXC_DECOMPRESS);
            }
            unpackedSizes[i] = unpacked;
            packedSizes[i] = packed;
            packedTotal += packed;
            largestUnpacked = std::max(largestUnpacked, unpacked);
            largestPacked = std::max(largestPacked, packed);
            compressedContentLeft += blockContent(i);
        }
        if (packedTotal > source->remaining()) {
            raiseEngine(ENGINE_EXC_SHORT_READ);
        }
        initLzoOnce();
        // One buffer of each kind for the whole run, as large as the largest block that is
        // really there (never more than the table's declared maxima).
        allocating([&] {
            blockBuffer.resize(largestUnpacked);
            packedBuffer.resize(largestPacked);
        });
        compressedTableRead = true;
    }

    // Reads the rest of the plain blocks into memory and then the compressed table, so that
    // the exact amount of content left is known. The file is still read in order.
    void readAhead() {
        if (compressedTableRead) {
            return;
        }
        aheadFirst = nextPlain;
        for (std::size_t i = nextPlain; i < plainLengths.size(); ++i) {
            std::vector<std::uint8_t> block = readSourceBytes(plainLengths[i]);
            allocating([&] { ahead.push_back(std::move(block)); });
        }
        readCompressedTable();
    }

    // Decompresses compressed block i into blockBuffer.
    void decompress(std::size_t i) {
        std::uint32_t packed = packedSizes[i];
        std::uint32_t unpacked = unpackedSizes[i];
        source->read(packedBuffer.data(), packed);
        lzo_uint outLength = unpacked;
        int rc = lzo1x_decompress_safe(packedBuffer.data(), packed, blockBuffer.data(), &outLength,
                                       nullptr);
        // The table's size must be exactly what the block holds: a shorter block would leave
        // stale bytes in the buffer, a longer one is cut off by the safe decompressor.
        if (rc != LZO_E_OK || outLength != unpacked) {
            raiseEngine(ENGINE_EXC_DECOMPRESS);
        }
    }
};

TimetableFileReader::TimetableFileReader() = default;

TimetableFileReader::~TimetableFileReader() {
    close();
}

void TimetableFileReader::openFile(std::string_view name) {
    close();
    try {
        allocating([&] {
            name_.assign(name);
            impl_ = std::make_unique<Impl>();
        });
        impl_->source = openFileByteSource(name);
        readContainerHeader();
    } catch (...) {
        close();
        throw;
    }
}

void TimetableFileReader::openBytes(std::vector<std::uint8_t> bytes, std::string_view name) {
    close();
    try {
        allocating([&] {
            name_.assign(name);
            impl_ = std::make_unique<Impl>();
        });
        impl_->source = makeMemoryByteSource(std::move(bytes));
        readContainerHeader();
    } catch (...) {
        close();
        throw;
    }
}

void TimetableFileReader::readContainerHeader() {
    magic_ = 0;
    major_ = -1;
    minor_ = -1;
    std::uint8_t header[12];
    impl_->source->read(header, sizeof header);
    magic_ = be32(header);
    major_ = static_cast<std::int32_t>(be32(header + 4));
    minor_ = static_cast<std::int32_t>(be32(header + 8));
    impl_->flagBytes = major_ >= 3;
}

void TimetableFileReader::readPlainBlockTable() {
    if (!impl_ || impl_->plainTableRead) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    Impl& d = *impl_;
    std::uint32_t length = d.readSourceU32();
    if (length > d.source->remaining()) {
        raiseEngine(ENGINE_EXC_SHORT_READ);
    }
    if (length < 8 || (length - 8) % 4 != 0) {
        raiseEngine(ENGINE_EXC_DECOMPRESS);
    }
    std::vector<std::uint8_t> table = d.readSourceBytes(length);
    d.plainBufferSize = be32(&table[0]);
    std::uint32_t count = be32(&table[4]);
    if (std::uint64_t{length} != 8 + 4 * std::uint64_t{count} ||
        d.plainBufferSize > kMaxBlockBytes) {
        raiseEngine(ENGINE_EXC_DECOMPRESS);
    }
    allocating([&] { d.plainLengths.resize(count); });
    std::uint64_t total = 0;
    std::uint32_t largest = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t len = be32(&table[8 + 4 * std::size_t{i}]);
        if (len > d.plainBufferSize) {
            raiseEngine(ENGINE_EXC_DECOMPRESS);
        }
        d.plainLengths[i] = len;
        total += len;
        largest = std::max(largest, len);
    }
    if (total > d.source->remaining()) {
        raiseEngine(ENGINE_EXC_SHORT_READ);
    }
    allocating([&] { d.plainBuffer.resize(largest); });
    d.plainContentLeft = total;
    d.plainTableRead = true;
}

bool TimetableFileReader::loadNextBlock() {
    if (!impl_ || !impl_->plainTableRead) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    Impl& d = *impl_;
    position_ += static_cast<std::uint64_t>(cur_ - base_);
    base_ = cur_ = end_ = nullptr;
    while (!d.inCompressedRun) {
        if (d.nextPlain < d.plainLengths.size()) {
            std::size_t i = d.nextPlain++;
            std::uint32_t len = d.plainLengths[i];
            d.plainContentLeft -= len;
            const std::uint8_t* data;
            if (i >= d.aheadFirst && i - d.aheadFirst < d.ahead.size()) {
                data = d.ahead[i - d.aheadFirst].data();
            } else {
                d.source->read(d.plainBuffer.data(), len);
                data = d.plainBuffer.data();
            }
            if (len != 0) {
                base_ = cur_ = data;
                end_ = data + len;
                return true;
            }
            continue;
        }
        if (!d.compressedTableRead) {
            d.readCompressedTable();
        }
        // The plain buffers are not needed any more.
        std::vector<std::uint8_t>().swap(d.plainBuffer);
        std::vector<std::vector<std::uint8_t>>().swap(d.ahead);
        d.inCompressedRun = true;
    }
    while (d.nextCompressed < d.unpackedSizes.size()) {
        std::size_t i = d.nextCompressed++;
        d.compressedContentLeft -= d.blockContent(i);
        d.decompress(i);
        const std::uint8_t* data = d.blockBuffer.data();
        const std::uint8_t* stop = data + d.unpackedSizes[i];
        if (d.flagBytes) {
            if (data == stop) {
                // A block of a flagged file must at least hold its flag byte.
                raiseEngine(ENGINE_EXC_DECOMPRESS);
            }
            std::uint8_t flag = *data++;
            ++position_;
            if (flag != 0) {
                // Not a content block: nothing in this reader uses such blocks, so their
                // bytes are passed over and do not count as content.
                continue;
            }
        }
        if (data != stop) {
            base_ = cur_ = data;
            end_ = stop;
            return true;
        }
    }
    return false;
}

void TimetableFileReader::refill() {
    while (cur_ == end_) {
        if (!loadNextBlock()) {
            raiseEngine(ENGINE_EXC_SHORT_READ);
        }
    }
}

std::uint8_t TimetableFileReader::readU8Slow() {
    refill();
    return *cur_++;
}

std::uint16_t TimetableFileReader::readU16Slow() {
    std::uint16_t hi = readU8();
    return static_cast<std::uint16_t>((hi << 8) | readU8());
}

std::uint32_t TimetableFileReader::readU32Slow() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v = (v << 8) | readU8();
    }
    return v;
}

std::uint64_t TimetableFileReader::readRaw8() {
    std::uint8_t raw[8];
    readInto(raw, sizeof raw);
    std::uint64_t v;
    std::memcpy(&v, raw, sizeof v);
    return v;
}

double TimetableFileReader::readRawDouble() {
    std::uint64_t bits = readRaw8();
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void TimetableFileReader::readInto(std::uint8_t* buf, std::size_t n) {
    while (n > 0) {
        if (cur_ == end_) {
            refill();
        }
        std::size_t take = std::min(n, static_cast<std::size_t>(end_ - cur_));
        std::memcpy(buf, cur_, take);
        buf += take;
        cur_ += take;
        n -= take;
    }
}

std::string TimetableFileReader::readBytes(std::size_t n) {
    requireContent(n);
    std::string out;
    allocating([&] { out.resize(n); });
    readInto(reinterpret_cast<std::uint8_t*>(out.data()), n);
    return out;
}

std::string TimetableFileReader::readText() {
    return readBytes(readU32());
}

void TimetableFileReader::skip(std::uint64_t n) {
    while (n > 0) {
        if (cur_ == end_) {
            refill();
        }
        std::uint64_t take = std::min<std::uint64_t>(n, static_cast<std::uint64_t>(end_ - cur_));
        cur_ += take;
        n -= take;
    }
}

void TimetableFileReader::requireContent(std::uint64_t bytes) {
    if (!impl_ || !impl_->plainTableRead) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    Impl& d = *impl_;
    std::uint64_t available = static_cast<std::uint64_t>(end_ - cur_) + d.plainContentLeft;
    if (bytes <= available) {
        return;
    }
    if (!d.inCompressedRun) {
        d.readAhead();
    }
    available += d.compressedContentLeft;
    if (bytes > available) {
        raiseEngine(ENGINE_EXC_SHORT_READ);
    }
}

void TimetableFileReader::beginSection() {
    std::uint32_t length = readU32();
    if (!impl_) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    allocating([&] { impl_->marks.push_back(SectionMark{streamPosition(), length}); });
}

void TimetableFileReader::endSection() {
    if (!impl_ || impl_->marks.empty()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    SectionMark mark = impl_->marks.back();
    // Section lengths count stream bytes: the flag byte of every compressed block that begins
    // inside the section is part of its length, so skip by stream position, block by block.
    std::uint64_t end = mark.start + mark.length;
    while (streamPosition() < end) {
        if (cur_ == end_) {
            refill();
            continue;
        }
        cur_ += std::min<std::uint64_t>(end - streamPosition(),
                                        static_cast<std::uint64_t>(end_ - cur_));
    }
    impl_->marks.pop_back();
}

std::uint64_t TimetableFileReader::sectionBytesLeft() const {
    if (!impl_ || impl_->marks.empty()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    const SectionMark& mark = impl_->marks.back();
    const std::uint64_t end = mark.start + mark.length;
    const std::uint64_t at = streamPosition();
    return at < end ? end - at : 0;
}

void TimetableFileReader::close() {
    if (impl_ && impl_->source) {
        impl_->source->close();
    }
    impl_.reset();
    base_ = cur_ = end_ = nullptr;
    position_ = 0;
}

}  // namespace trasovnik
