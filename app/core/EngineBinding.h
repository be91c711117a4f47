#pragma once
// The engine is reached only through its exports, bound by name at run time from the program's
// own folder, so the program works with any library that exports the interface.
#include "app/core/EngineExportList.h"
#include "engine/api/trasovnik.h"

#include <filesystem>
#include <memory>

namespace pelorvant {

// One function pointer per bound export; all set once a binding has succeeded.
struct EngineApi {
#define PELORVANT_ENGINE_ENTRY(name) decltype(&::name) name = nullptr;
    PELORVANT_ENGINE_EXPORTS(PELORVANT_ENGINE_ENTRY)
#undef PELORVANT_ENGINE_ENTRY
};

// The file name of the engine library in the program folder.
inline constexpr const char* kEngineLibraryName = "libTrasovnik.so";

// An opened engine library and its entry table. The library stays loaded while the object
// lives; the program keeps its one binding for the life of the process (bindEngineLibrary).
class EngineLibrary {
public:
    // Opens the library at path and binds every export; throws ExceptionExit with text 138
    // when the library cannot be loaded or any export is missing. The caller owns the result.
    static std::unique_ptr<EngineLibrary> open(const std::filesystem::path& path);
    ~EngineLibrary();
    EngineLibrary(const EngineLibrary&) = delete;
    EngineLibrary& operator=(const EngineLibrary&) = delete;

    const EngineApi& api() const { return api_; }

private:
    EngineLibrary() = default;
    void* handle_ = nullptr;
    EngineApi api_;
};

// Binds programFolder/libTrasovnik.so as the process's engine (text 138 through ExceptionExit
// when that fails). The library is never released. Returns the process's entry table.
const EngineApi& bindEngineLibrary(const std::filesystem::path& programFolder);

}  // namespace pelorvant
