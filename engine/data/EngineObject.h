#pragma once
// cJizdniRadyGlobal: the engine's single object. It holds the cancel-loading flag, the INI
// store, the header catalogue, the list of file combinations and the loaded sets; a set's
// index in the loaded-set array is the set index of the exported functions. A freed set leaves
// its slot empty, so the indexes of the other sets stay valid, and new sets always go to the
// end.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/data/HeaderCatalogue.h"
#include "engine/data/IniStore.h"
#include "engine/data/PagedArray.h"
#include "engine/data/SetList.h"
#include "engine/data/TimetableSet.h"
#include "platform/core/Types.h"

namespace trasovnik {

// The outcome of loading or changing a set: the set index, or -1 with a status (-2 cancelled,
// -3 to -6 a refused file, -7 a file of another source) and the catalogue index of the file it
// failed at.
struct SetLoadResult {
    std::int32_t setIndex = -1;
    std::int32_t status = 0;
    std::int32_t failingIndex = -1;
};

class cJizdniRadyGlobal {
public:
    struct IniFileNames {
        std::string mainFile;
        std::string tempFile;
    };

    // An engine with its INI store read from the main file, or with no store.
    explicit cJizdniRadyGlobal(std::optional<IniFileNames> ini = std::nullopt);
    ~cJizdniRadyGlobal();
    cJizdniRadyGlobal(const cJizdniRadyGlobal&) = delete;
    cJizdniRadyGlobal& operator=(const cJizdniRadyGlobal&) = delete;

    // Makes the engine that the exported functions use from the INI file names (Windows-1250
    // bytes; an empty main name means no store) and stores it in the global pointer. Once made,
    // the engine is never replaced or freed: a later call returns it with its catalogue, sets
    // and results, and only reads its store anew from the names given (an engine made without
    // a store stays without one; an empty main name leaves the store as it is).
    static cJizdniRadyGlobal& create(std::string_view mainName, std::string_view tempName);
    // The engine made by create(); none before.
    static cJizdniRadyGlobal* global();

    // Set from any thread; the running load stops at its next check.
    void cancelLoading() { cancel_.store(true, std::memory_order_release); }
    // Cleared when a load or a file check starts.
    void clearCancelLoading() { cancel_.store(false, std::memory_order_release); }
    const std::atomic<bool>& cancelFlag() const { return cancel_; }

    IniStore* iniStore() { return iniStore_.get(); }
    cKatalogHlavicek& catalogue() { return catalogue_; }
    cSeznamSestav& setList() { return setList_; }

    // Loads the listed catalogue entries as a new set, appended after the existing slots.
    SetLoadResult nactiSestavu(std::span<const std::int32_t> indexes,
                               platform::WindowHandle window);
    // Rebuilds set `setIndex` from another list of files; on success the set keeps its index.
    // On a status the old set is freed all the same and the slot stays empty. A failure
    // raised before the old set's files were given back leaves the set as it was.
    SetLoadResult zmenSestavu(std::int32_t setIndex, std::span<const std::int32_t> indexes,
                              platform::WindowHandle window);
    // Frees a set; its slot stays empty.
    void zrusSestavu(std::int32_t setIndex);
    // ENGINE_EXC_INDEX for an index outside the array and for the slot of a freed set.
    cSestava& getSestava(std::int32_t setIndex);
    // The catalogue indexes of the set's files, in set order.
    std::vector<std::int32_t> headerIndexesOf(std::int32_t setIndex);

    // Slots of the loaded-set array, the empty ones included.
    std::uint32_t setSlotCount() const { return sets_.count(); }

private:
    std::unique_ptr<cSestava>& slot(std::int32_t setIndex);

    std::atomic<bool> cancel_{false};
    std::unique_ptr<IniStore> iniStore_;
    cKatalogHlavicek catalogue_;
    cSeznamSestav setList_;
    cStrankovanePole<std::unique_ptr<cSestava>, kPagedPerPageSet> sets_;
};

}  // namespace trasovnik
