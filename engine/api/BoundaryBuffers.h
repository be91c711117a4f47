#pragma once
// Buffers and arguments that cross the library boundary. Buffers handed to the caller are
// made with malloc (the heap both sides share) and kept in an owner until the export is
// done, so that a failure part-way hands over nothing and leaks nothing. Arguments the caller
// passes are checked before use: a null out-parameter, a negative length or a text without
// bytes is ENGINE_EXC_BAD_ARGUMENT, a negative index ENGINE_EXC_INDEX.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>

#include "engine/data/EngineException.h"

namespace trasovnik::api {

struct FreeDeleter {
    void operator()(void* p) const noexcept { std::free(p); }
};
template <class T>
using CBuffer = std::unique_ptr<T, FreeDeleter>;

// An array of n elements of T on the shared heap; at least one byte, so that an empty array
// is still a pointer the caller may free.
template <class T>
CBuffer<T> allocateArray(std::size_t n) {
    if (n > SIZE_MAX / sizeof(T) / 2) {
        raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
    }
    void* p = std::malloc(n == 0 ? 1 : n * sizeof(T));
    if (p == nullptr) {
        raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
    }
    return CBuffer<T>(static_cast<T*>(p));
}

// A copy of the text on the shared heap, without terminator.
CBuffer<char> copyText(std::string_view text);

// The out-parameter itself; ENGINE_EXC_BAD_ARGUMENT for null.
template <class T>
T& out(T* p) {
    if (p == nullptr) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    return *p;
}

// A text argument of `length` bytes.
std::string_view textArgument(const char* text, std::int32_t length);
// An array argument of `count` elements; null is allowed only with count 0.
template <class T>
std::span<const T> arrayArgument(const T* items, std::int32_t count) {
    if (count < 0 || (count > 0 && items == nullptr)) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    return std::span<const T>(items, static_cast<std::size_t>(count));
}
// An index argument as a table position; ENGINE_EXC_INDEX when negative.
std::size_t indexArgument(std::int32_t index);

// Hands a new copy of the text to the caller: *text and *length are written only once the
// copy exists.
void handText(std::string_view source, char** text, std::int32_t* length);

// Hands a new int32 array of the values to the caller.
template <class Int>
void handIndexes(std::span<const Int> values, std::int32_t** indexes, std::int32_t* count) {
    auto& outIndexes = out(indexes);
    auto& outCount = out(count);
    CBuffer<std::int32_t> buffer = allocateArray<std::int32_t>(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        buffer.get()[i] = static_cast<std::int32_t>(values[i]);
    }
    outCount = static_cast<std::int32_t>(values.size());
    outIndexes = buffer.release();
}

}  // namespace trasovnik::api
