#pragma once
// Conversion between the program's strings (UTF-16) and the engine's Windows-1250 text, and
// the ownership of the buffers the engine hands over.
#include "platform/draw/Utf.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace pelorvant {

// Windows-1250 bytes of exactly the string's length; characters without a code become 0.
std::string toNarrowString(std::u16string_view text);
// The UTF-16 text of Windows-1250 bytes; a null pointer or a length below 1 gives "".
std::u16string fromNarrowString(const char* bytes, std::int32_t length);
inline std::u16string fromNarrowString(std::string_view bytes) {
    return fromNarrowString(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

// UTF-8 (file names, the value store, the terminal) to UTF-16 and back: the platform's.
using platform::draw::fromUtf8;
using platform::draw::toUtf8;

// The decimal digits of a number, with "-" before a negative one.
inline std::u16string numberText(std::int64_t value) { return fromUtf8(std::to_string(value)); }

// A buffer the engine allocated with malloc; freed with free when the holder goes.
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using EngineOwned = std::unique_ptr<T, FreeDeleter>;

// The 32-bit length the engine expects of a text.
inline std::int32_t engineLength(std::string_view text) {
    return static_cast<std::int32_t>(text.size());
}

}  // namespace pelorvant
