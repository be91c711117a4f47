#include "app/core/StartedForUpdate.h"

#include <atomic>

namespace pelorvant {
namespace {

// Written on the user-interface thread, read anywhere.
std::atomic<bool> flag = false;

}  // namespace

bool startedForUpdate() { return flag.load(); }
void setStartedForUpdate(bool value) { flag.store(value); }

}  // namespace pelorvant
