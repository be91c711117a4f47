#include "engine/api/ExportFrame.h"

#include <atomic>
#include <cstdlib>

#include "engine/data/EngineException.h"
#include "engine/data/EngineObject.h"

namespace trasovnik::api {

namespace {

// Exports may fail on the loading or search thread while another thread sets a cancel flag;
// the exchange makes the release happen once.
std::atomic<void*> gReserve{nullptr};

}  // namespace

void holdReserve() {
    if (gReserve.load(std::memory_order_acquire) != nullptr) {
        return;
    }
    void* block = std::malloc(kReserveBytes);
    if (block == nullptr) {
        raiseEngine(ENGINE_EXC_OUT_OF_MEMORY);
    }
    void* expected = nullptr;
    if (!gReserve.compare_exchange_strong(expected, block, std::memory_order_acq_rel)) {
        std::free(block);
    }
}

bool reserveHeld() noexcept {
    return gReserve.load(std::memory_order_acquire) != nullptr;
}

std::int32_t failedExport() noexcept {
    const EngineCode code = currentEngineCode();
    std::free(gReserve.exchange(nullptr, std::memory_order_acq_rel));
    return code == ENGINE_EXC_OUT_OF_MEMORY ? ENGINE_OUT_OF_MEMORY : ENGINE_ERROR;
}

cJizdniRadyGlobal& engine() {
    cJizdniRadyGlobal* e = cJizdniRadyGlobal::global();
    if (e == nullptr) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    return *e;
}

}  // namespace trasovnik::api
