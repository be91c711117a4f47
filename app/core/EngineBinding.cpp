#include "app/core/EngineBinding.h"

#include "app/core/ExceptionExit.h"

#include <dlfcn.h>

namespace pelorvant {

std::unique_ptr<EngineLibrary> EngineLibrary::open(const std::filesystem::path& path) {
    std::unique_ptr<EngineLibrary> library(new EngineLibrary);
    library->handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library->handle_ == nullptr) throw ExceptionExit(kTextEngineLibraryMissing);
    bool complete = true;
#define PELORVANT_ENGINE_BIND(name)                                                            \
    library->api_.name = reinterpret_cast<decltype(&::name)>(::dlsym(library->handle_, #name)); \
    complete = complete && library->api_.name != nullptr;
    PELORVANT_ENGINE_EXPORTS(PELORVANT_ENGINE_BIND)
#undef PELORVANT_ENGINE_BIND
    if (!complete) throw ExceptionExit(kTextEngineLibraryMissing);
    return library;
}

EngineLibrary::~EngineLibrary() {
    if (handle_ != nullptr) ::dlclose(handle_);
}

const EngineApi& bindEngineLibrary(const std::filesystem::path& programFolder) {
    // Deliberately never destroyed: engine calls may come from any thread until the very end.
    static EngineLibrary* bound = nullptr;
    if (bound == nullptr) bound = EngineLibrary::open(programFolder / kEngineLibraryName).release();
    return bound->api();
}

}  // namespace pelorvant
