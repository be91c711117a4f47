#pragma once
// Where a timetable file's bytes come from: a buffered file, or (for tests and fuzzing) a
// buffer in memory. A source reads exactly the number of bytes asked for or raises
// ENGINE_EXC_SHORT_READ.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace trasovnik {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads exactly n bytes into buf; raises ENGINE_EXC_SHORT_READ when fewer are left.
    virtual void read(std::uint8_t* buf, std::size_t n) = 0;
    // Bytes left in the source (used to refuse counts that cannot fit in the file).
    virtual std::uint64_t remaining() const = 0;
    virtual void close() = 0;
};

// Opens `path` for binary reading; raises ENGINE_EXC_OPEN when it does not open.
std::unique_ptr<ByteSource> openFileByteSource(std::string_view path);

// A source over a copy of `bytes`.
std::unique_ptr<ByteSource> makeMemoryByteSource(std::vector<std::uint8_t> bytes);

}  // namespace trasovnik
