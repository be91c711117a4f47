#pragma once
// Failures inside the engine. Every failure below the exported functions is raised as an
// EngineException carrying one of the engine's codes; only the exported-function frame
// catches it and turns it into a status code.

#include <cstdint>
#include <exception>

namespace trasovnik {

enum EngineCode : std::uint32_t {
    ENGINE_EXC_OUT_OF_MEMORY = 0xE0000001,
    ENGINE_EXC_OPEN = 0xE0000002,
    ENGINE_EXC_SHORT_READ = 0xE0000003,
    ENGINE_EXC_BAD_MAGIC = 0xE0000004,
    ENGINE_EXC_DECOMPRESS = 0xE0000005,
    ENGINE_EXC_TOO_NEW = 0xE0000006,
    ENGINE_EXC_TOO_OLD = 0xE0000007,
    ENGINE_EXC_BAD_ARGUMENT = 0xE0000008,
    ENGINE_EXC_INDEX = 0xE0000009,
};

class EngineException : public std::exception {
public:
    explicit EngineException(EngineCode code) noexcept : code_(code) {}
    EngineCode code() const noexcept { return code_; }
    const char* what() const noexcept override;

private:
    EngineCode code_;
};

// Raises the engine failure `code`; never returns.
[[noreturn]] void raiseEngine(EngineCode code);

// The engine code of the exception being handled: an EngineException gives its own code,
// std::bad_alloc (a container that could not grow) gives ENGINE_EXC_OUT_OF_MEMORY, anything
// else ENGINE_EXC_BAD_ARGUMENT. Call only inside a catch block.
EngineCode currentEngineCode() noexcept;

// Short English name of a code ("ENGINE_EXC_SHORT_READ"), for tools and test messages.
const char* engineCodeName(EngineCode code) noexcept;

}  // namespace trasovnik
