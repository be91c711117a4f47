#pragma once
// Packs a content stream into a timetable file container: the 12-byte header, the plain block
// table and plain blocks, then the compressed block table and LZO1X-compressed blocks.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/jzwriter/ContentWriter.h"

namespace jz {

struct ContainerOptions {
    std::uint32_t magic = 0x27BC86AA;
    std::uint32_t major = 4;
    std::uint32_t minor = 0;
    // Lengths of the plain blocks that take the start of the content, in order (may be empty).
    // Odd sizes make block borders fall inside values, which the reader must not notice.
    std::vector<std::size_t> plainBlocks = {7, 61, 333};
    // Content bytes per compressed block (without the flag byte of version 3+ files).
    std::size_t compressedBlockContent = 4093;
    // Insert one block with a non-zero flag byte after the first compressed block (3+ only),
    // which the reader must skip as not content.
    bool insertNonContentBlock = false;
};

// Returns the bytes of the whole file. Plain blocks take their lengths from the options (the
// last one shortened when the content ends); the rest goes into compressed blocks.
// Section lengths count stream bytes, which include the flag byte of every compressed block
// that begins inside a section: this form adds those to the lengths of the content's sections.
std::vector<std::uint8_t> writeContainer(const ContentWriter& content,
                                         const ContainerOptions& options);

// The same for raw content, written as it is: lengths inside it are not adjusted.
std::vector<std::uint8_t> writeContainer(const std::vector<std::uint8_t>& content,
                                         const ContainerOptions& options);

}  // namespace jz
