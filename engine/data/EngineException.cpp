#include "engine/data/EngineException.h"

#include <new>

namespace trasovnik {

const char* engineCodeName(EngineCode code) noexcept {
    switch (code) {
        case ENGINE_EXC_OUT_OF_MEMORY: return "ENGINE_EXC_OUT_OF_MEMORY";
        case ENGINE_EXC_OPEN: return "ENGINE_EXC_OPEN";
        case ENGINE_EXC_SHORT_READ: return "ENGINE_EXC_SHORT_READ";
        case ENGINE_EXC_BAD_MAGIC: return "ENGINE_EXC_BAD_MAGIC";
        case ENGINE_EXC_DECOMPRESS: return "ENGINE_EXC_DECOMPRESS";
        case ENGINE_EXC_TOO_NEW: return "ENGINE_EXC_TOO_NEW";
        case ENGINE_EXC_TOO_OLD: return "ENGINE_EXC_TOO_OLD";
        case ENGINE_EXC_BAD_ARGUMENT: return "ENGINE_EXC_BAD_ARGUMENT";
        case ENGINE_EXC_INDEX: return "ENGINE_EXC_INDEX";
    }
    return "ENGINE_EXC_UNKNOWN";
}

const char* EngineException::what() const noexcept { return engineCodeName(code_); }

void raiseEngine(EngineCode code) { throw EngineException(code); }

EngineCode currentEngineCode() noexcept {
    try {
        throw;
    } catch (const EngineException& e) {
        return e.code();
    } catch (const std::bad_alloc&) {
        return ENGINE_EXC_OUT_OF_MEMORY;
    } catch (...) {
        return ENGINE_EXC_BAD_ARGUMENT;
    }
}

}  // namespace trasovnik
