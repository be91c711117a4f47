#pragma once
// cSeznamSestav: every distinct combination of timetable files that loaded sets use, once, with
// the number of sets that use it, and the loaded files themselves, each read once however
// many combinations share it. A file's use count lives in its header catalogue entry; the file
// is destroyed when the count returns to 0.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "engine/data/PagedArray.h"
#include "engine/data/TimetableCombination.h"
#include "platform/core/Types.h"

namespace trasovnik {

class IniStore;
class WindowLoadObserver;
class cKatalogHlavicek;
struct LoadedTimetable;

// What loading a combination gives: status 0 with the combination, or -2 (cancelled), -7 (a
// file of another source than the first) or a refused file's status (-3 to -6, FileRefusal.h)
// with the catalogue index of the file it failed at.
struct SetLoadOutcome {
    static constexpr std::int32_t kCancelled = -2;
    static constexpr std::int32_t kOtherSource = -7;

    std::int32_t status = 0;
    std::int32_t failingIndex = -1;
    cJizdniRadySestavy* combination = nullptr;
};

class cSeznamSestav {
public:
    // The catalogue, the store (none when the engine keeps no INI file) and the engine's
    // cancel flag must outlive the list.
    cSeznamSestav(cKatalogHlavicek& catalogue, IniStore* store, const std::atomic<bool>& cancel);
    ~cSeznamSestav();
    cSeznamSestav(const cSeznamSestav&) = delete;
    cSeznamSestav& operator=(const cSeznamSestav&) = delete;

    // Takes the combination of the listed catalogue entries for one more set: an equal one
    // already in the list is shared, otherwise the files are loaded (those not yet loaded are
    // read, with progress to `window` and WM_ENGINE_START before each file but the first) and
    // a new combination is added with use count 1. On a status, or when anything raises, every
    // file taken by the call is given back. ENGINE_EXC_BAD_ARGUMENT for an empty list or one
    // naming an entry twice, ENGINE_EXC_INDEX for an index outside the catalogue.
    SetLoadOutcome nactiKombinaci(std::span<const std::int32_t> indexes,
                                  platform::WindowHandle window);

    // Takes the combination for a set that used `old` instead. When `old` has other users the
    // new list is loaded as above; when it has none, the files of `old` that the new list names
    // again are held while `old` is released, so that the new list shares them instead of
    // reading them again. `oldReleased` tells whether `old` was released (then it must not be
    // released again); it is set before anything that may raise afterwards.
    // ENGINE_EXC_BAD_ARGUMENT when `old` is not in the list.
    SetLoadOutcome zmenSestavu(cJizdniRadySestavy& old, std::span<const std::int32_t> indexes,
                               platform::WindowHandle window, bool& oldReleased);

    // One set fewer uses the combination; at 0 it is removed and its files given back.
    void release(cJizdniRadySestavy& combination) noexcept;

    // The catalogue indexes of the combination's files, in set order. ENGINE_EXC_BAD_ARGUMENT
    // when the combination is not in the list.
    std::vector<std::int32_t> headerIndexesOf(const cJizdniRadySestavy& combination) const;

    std::size_t count() const { return entries_.count(); }
    // ENGINE_EXC_INDEX for an index outside the list.
    cJizdniRadySestavy& at(std::size_t i);
    // Files loaded now.
    std::size_t loadedFileCount() const { return files_.size(); }

private:
    class Holds;

    void checkIndexes(std::span<const std::int32_t> indexes) const;
    std::int64_t find(const cJizdniRadySestavy* combination) const;
    cJizdniRadySestavy* findEqual(std::span<const std::int32_t> indexes) const;
    // The loaded file of a catalogue entry, read when it is not loaded yet, with its use count
    // one higher. None, with nothing taken, when the load was cancelled (status stays 0) or the
    // file was refused (status set to its load status).
    LoadedTimetable* takeFile(std::size_t catalogueIndex, WindowLoadObserver& observer,
                              std::int32_t& status);
    void holdFile(LoadedTimetable& file) noexcept;
    void releaseFile(LoadedTimetable* file) noexcept;
    std::int64_t catalogueIndexOf(const LoadedTimetable& file) const;

    cKatalogHlavicek& catalogue_;
    IniStore* store_;
    const std::atomic<bool>& cancel_;
    cStrankovanePole<std::unique_ptr<cJizdniRadySestavy>, kPagedPerPage64> entries_;
    std::vector<std::unique_ptr<LoadedTimetable>> files_;
};

}  // namespace trasovnik
