#include "engine/data/FileRefusal.h"

namespace trasovnik {

std::int32_t refusalStatus(EngineCode code) noexcept {
    switch (code) {
        case ENGINE_EXC_OUT_OF_MEMORY:
            return kLoadOutOfMemory;
        case ENGINE_EXC_TOO_NEW:
            return kLoadTooNew;
        case ENGINE_EXC_TOO_OLD:
            return kLoadTooOld;
        default:
            // Open and read failures, bad magic, blocks that do not decompress and values
            // out of range in the model are all a damaged file.
            return kLoadDamaged;
    }
}

}  // namespace trasovnik
