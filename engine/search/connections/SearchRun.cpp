#include "engine/search/connections/SearchRun.h"

#include "engine/data/EngineException.h"
#include "engine/data/EnginePagePool.h"
#include "engine/search/connections/RunSearcher.h"

namespace trasovnik {

namespace {

// Page memory kept from one run to the next: 1 MB, the pages of a median search on a dense
// city network. What a larger search took beyond it is faulted in again by the next one that
// needs it (about a millisecond per megabyte).
constexpr std::uint32_t kKeptRunBytes = 1u << 20;

}  // namespace

SearchScratch::SearchScratch() = default;
SearchScratch::~SearchScratch() = default;

RunOutcome runSearch(cHledani& searcher, cSestava& set, EnginePagePool& pool,
                     SearchScratch& scratch, std::uint32_t pageLimit, const cZadaniHledani& request,
                     bool nextOrPrevious, int currentMinute, int currentDay,
                     platform::WindowHandle window) {
    RunOutcome out;
    RunPages pages(pool, pageLimit);
    try {
        searchrun::Searcher runner(searcher, set, pages, scratch);
        out = runner.run(request, nextOrPrevious, currentMinute, currentDay, window);
        out.pagesTaken = pages.taken();
        if (out.status < 0) {
            pool.releaseAll();
            return out;
        }
    } catch (...) {
        pool.releaseAll();
        if (currentEngineCode() == ENGINE_EXC_OUT_OF_MEMORY) {
            out = RunOutcome{};
            out.status = kSearchOutOfMemory;
            out.pagesTaken = pages.taken();
            return out;
        }
        throw;
    }
    // The pages go back to the pool, which keeps the first of them ready for the next run
    // instead of faulting them in again: as many as a typical search takes, not what the
    // largest took.
    pool.recycle(kKeptRunBytes);
    return out;
}

}  // namespace trasovnik
