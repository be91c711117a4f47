#include "tools/jzwriter/ContainerWriter.h"

#include <lzo/lzo1x.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace jz {

namespace {

// Bytes of the block that is not content (flag 1), inserted when the options ask for it.
constexpr std::uint8_t kNonContentBlock[] = {0x01, 0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x00, 0x00};

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

std::uint32_t checkedU32(std::size_t v, const char* what) {
    if (v > UINT32_MAX) {
        throw std::length_error(std::string("container: ") + what + " exceeds 32 bits");
    }
    return static_cast<std::uint32_t>(v);
}

struct PackedBlock {
    std::uint32_t unpacked;
    std::vector<std::uint8_t> packed;
};

PackedBlock compress(const std::vector<std::uint8_t>& block) {
    static const bool ready = lzo_init() == LZO_E_OK;
    if (!ready) {
        throw std::runtime_error("container: LZO does not initialise");
    }
    std::vector<std::uint8_t> work(LZO1X_1_MEM_COMPRESS);
    // LZO1X's worst case for incompressible input.
    std::vector<std::uint8_t> out(block.size() + block.size() / 16 + 64 + 3);
    lzo_uint outLength = out.size();
    if (lzo1x_1_compress(block.data(), block.size(), out.data(), &outLength, work.data()) !=
        LZO_E_OK) {
        throw std::runtime_error("container: LZO compression failed");
    }
    out.resize(outLength);
    return {checkedU32(block.size(), "block size"), std::move(out)};
}

// Content offsets at which the reader consumes a flag byte: the start of every compressed
// block, twice where the non-content block stands in front of a content block.
std::vector<std::size_t> flagOffsets(std::size_t contentSize, const ContainerOptions& o) {
    std::vector<std::size_t> flags;
    if (static_cast<std::int32_t>(o.major) < 3) {
        return flags;
    }
    std::size_t at = 0;
    for (std::size_t wanted : o.plainBlocks) {
        if (at == contentSize && wanted != 0) {
            break;
        }
        at += std::min(wanted, contentSize - at);
    }
    for (std::size_t block = 0; at < contentSize; ++block, at += o.compressedBlockContent) {
        flags.push_back(at);
        if (o.insertNonContentBlock && block == 1) {
            flags.push_back(at);
        }
    }
    return flags;
}

}  // namespace

std::vector<std::uint8_t> writeContainer(const ContentWriter& content,
                                         const ContainerOptions& options) {
    if (options.compressedBlockContent == 0) {
        throw std::invalid_argument("container: compressed blocks need room for content");
    }
    std::vector<std::uint8_t> bytes = content.data();
    const std::vector<std::size_t> flags = flagOffsets(bytes.size(), options);
    for (const ContentWriter::Section& sec : content.sections()) {
        std::size_t start = sec.lengthAt + 4;
        auto first = std::lower_bound(flags.begin(), flags.end(), start);
        auto last = std::lower_bound(flags.begin(), flags.end(), sec.end);
        std::uint32_t length = (std::uint32_t{bytes[sec.lengthAt]} << 24) |
                               (std::uint32_t{bytes[sec.lengthAt + 1]} << 16) |
                               (std::uint32_t{bytes[sec.lengthAt + 2]} << 8) |
                               std::uint32_t{bytes[sec.lengthAt + 3]};
        length += static_cast<std::uint32_t>(last - first);
        for (int i = 0; i < 4; ++i) {
            bytes[sec.lengthAt + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(length >> (24 - 8 * i));
        }
    }
    return writeContainer(bytes, options);
}

std::vector<std::uint8_t> writeContainer(const std::vector<std::uint8_t>& content,
                                         const ContainerOptions& options) {
    if (options.compressedBlockContent == 0) {
        throw std::invalid_argument("container: compressed blocks need room for content");
    }
    // The same test as the reader's: only files of major version 3 and later carry flags.
    const bool flagged = static_cast<std::int32_t>(options.major) >= 3;
    if (options.insertNonContentBlock && !flagged) {
        throw std::invalid_argument("container: a non-content block needs major version 3+");
    }

    std::vector<std::uint8_t> out;
    putU32(out, options.magic);
    putU32(out, options.major);
    putU32(out, options.minor);

    // Plain run: blocks of the given lengths, the last one cut where the content ends.
    std::size_t at = 0;
    std::vector<std::uint32_t> plainLengths;
    for (std::size_t wanted : options.plainBlocks) {
        if (at == content.size() && wanted != 0) {
            break;
        }
        std::size_t len = std::min(wanted, content.size() - at);
        plainLengths.push_back(checkedU32(len, "plain block"));
        at += len;
    }
    std::uint32_t plainBuffer = 0;
    for (std::uint32_t len : plainLengths) {
        plainBuffer = std::max(plainBuffer, len);
    }
    putU32(out, checkedU32(8 + 4 * plainLengths.size(), "plain table"));
    putU32(out, plainBuffer);
    putU32(out, checkedU32(plainLengths.size(), "plain block count"));
    for (std::uint32_t len : plainLengths) {
        putU32(out, len);
    }
    out.insert(out.end(), content.begin(), content.begin() + static_cast<std::ptrdiff_t>(at));

    // Compressed run.
    std::vector<PackedBlock> blocks;
    while (at < content.size()) {
        std::size_t len = std::min(options.compressedBlockContent, content.size() - at);
        std::vector<std::uint8_t> block;
        block.reserve(len + 1);
        if (flagged) {
            block.push_back(0);  // a content block
        }
        block.insert(block.end(), content.begin() + static_cast<std::ptrdiff_t>(at),
                     content.begin() + static_cast<std::ptrdiff_t>(at + len));
        at += len;
        blocks.push_back(compress(block));
        if (options.insertNonContentBlock && blocks.size() == 1) {
            blocks.push_back(compress({std::begin(kNonContentBlock), std::end(kNonContentBlock)}));
        }
    }
    if (options.insertNonContentBlock && blocks.empty()) {
        blocks.push_back(compress({std::begin(kNonContentBlock), std::end(kNonContentBlock)}));
    }
    std::uint32_t maxUnpacked = 0, maxPacked = 0;
    for (const PackedBlock& b : blocks) {
        maxUnpacked = std::max(maxUnpacked, b.unpacked);
        maxPacked = std::max(maxPacked, checkedU32(b.packed.size(), "packed block"));
    }
    putU32(out, checkedU32(12 + 8 * blocks.size(), "compressed table"));
    putU32(out, maxUnpacked);
    putU32(out, maxPacked);
    putU32(out, checkedU32(blocks.size(), "compressed block count"));
    for (const PackedBlock& b : blocks) {
        putU32(out, b.unpacked);
        putU32(out, static_cast<std::uint32_t>(b.packed.size()));
    }
    for (const PackedBlock& b : blocks) {
        out.insert(out.end(), b.packed.begin(), b.packed.end());
    }
    return out;
}

}  // namespace jz
