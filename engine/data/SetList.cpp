#include "engine/data/SetList.h"

#include <algorithm>
#include <utility>

#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/FileRefusal.h"
#include "engine/data/HeaderCatalogue.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableFileReader.h"
#include "engine/data/WindowLoadObserver.h"
#include "engine/search/connections/FileSearchTables.h"

namespace trasovnik {

// Files taken by one operation, given back when it ends unless kept.
class cSeznamSestav::Holds {
public:
    explicit Holds(cSeznamSestav& list) : list_(list) {}
    ~Holds() {
        for (LoadedTimetable* f : files_) {
            list_.releaseFile(f);
        }
    }
    Holds(const Holds&) = delete;
    Holds& operator=(const Holds&) = delete;

    // Reserved first, so that recording a take never fails after it happened.
    void reserve(std::size_t n) { files_.reserve(n); }
    void add(LoadedTimetable* f) { files_.push_back(f); }
    const std::vector<LoadedTimetable*>& files() const { return files_; }
    void keep() { files_.clear(); }

private:
    cSeznamSestav& list_;
    std::vector<LoadedTimetable*> files_;
};

namespace {

// Passes a file load's progress on, all but its last step (100), which waits until the search
// tables of the file are built: the set is ready when the load says so.
class LastProgressHeld final : public LoadObserver {
public:
    explicit LastProgressHeld(LoadObserver& inner) : inner_(inner) {}
    void progress(int percent) override {
        if (percent >= 100) {
            held_ = percent;
        } else {
            inner_.progress(percent);
        }
    }
    bool cancelled() override { return inner_.cancelled(); }
    void release() {
        if (held_ >= 0) {
            inner_.progress(held_);
        }
    }

private:
    LoadObserver& inner_;
    int held_ = -1;
};

bool sameTimetable(const cHlavicka& a, const cHlavicka& b) {
    return a.identifier == b.identifier && collateCompare(a.title, b.title) == 0;
}

}  // namespace

cSeznamSestav::cSeznamSestav(cKatalogHlavicek& catalogue, IniStore* store,
                             const std::atomic<bool>& cancel)
    : catalogue_(catalogue), store_(store), cancel_(cancel) {}

cSeznamSestav::~cSeznamSestav() {
    // Combinations refer to the files, so they go first; then the files, giving back what
    // their catalogue entries count for them.
    entries_.clear();
    for (const auto& f : files_) {
        const std::int64_t i = catalogueIndexOf(*f);
        if (i >= 0) {
            cPolozkaKatalogu& entry = catalogue_.entry(static_cast<std::size_t>(i));
            entry.useCount = entry.useCount > f->holds ? entry.useCount - f->holds : 0;
            entry.loaded.reset();
        }
    }
    files_.clear();
}

cJizdniRadySestavy& cSeznamSestav::at(std::size_t i) {
    return *entries_.getAt(static_cast<std::int64_t>(i));
}

void cSeznamSestav::checkIndexes(std::span<const std::int32_t> indexes) const {
    if (indexes.empty()) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        if (indexes[i] < 0 || static_cast<std::size_t>(indexes[i]) >= catalogue_.size()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        // A file twice in one set would be counted as two files of a combination.
        if (std::find(indexes.begin(), indexes.begin() + static_cast<std::ptrdiff_t>(i),
                      indexes[i]) != indexes.begin() + static_cast<std::ptrdiff_t>(i)) {
            raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
        }
    }
}

std::int64_t cSeznamSestav::find(const cJizdniRadySestavy* combination) const {
    for (std::uint32_t i = 0; i < entries_.count(); ++i) {
        if (entries_.getAt(i).get() == combination) {
            return i;
        }
    }
    return -1;
}

cJizdniRadySestavy* cSeznamSestav::findEqual(std::span<const std::int32_t> indexes) const {
    for (std::uint32_t i = 0; i < entries_.count(); ++i) {
        cJizdniRadySestavy& c = *entries_.getAt(i);
        if (c.count() != indexes.size()) {
            continue;
        }
        bool all = true;
        for (const std::int32_t idx : indexes) {
            const cHlavicka& wanted = catalogue_.getHeader(static_cast<std::size_t>(idx));
            bool found = false;
            for (std::size_t f = 0; f < c.count() && !found; ++f) {
                found = sameTimetable(c.timetable(f).header, wanted);
            }
            if (!found) {
                all = false;
                break;
            }
        }
        if (all) {
            return &c;
        }
    }
    return nullptr;
}

std::int64_t cSeznamSestav::catalogueIndexOf(const LoadedTimetable& file) const {
    for (std::size_t i = 0; i < catalogue_.size(); ++i) {
        if (catalogue_.entry(i).loaded.get() == file.file.get()) {
            return static_cast<std::int64_t>(i);
        }
    }
    return -1;
}

void cSeznamSestav::holdFile(LoadedTimetable& file) noexcept {
    ++file.holds;
    const std::int64_t i = catalogueIndexOf(file);
    if (i >= 0) {
        ++catalogue_.entry(static_cast<std::size_t>(i)).useCount;
    }
}

void cSeznamSestav::releaseFile(LoadedTimetable* file) noexcept {
    const std::int64_t i = catalogueIndexOf(*file);
    if (i >= 0) {
        cPolozkaKatalogu& entry = catalogue_.entry(static_cast<std::size_t>(i));
        if (entry.useCount > 0) {
            --entry.useCount;
        }
    }
    if (file->holds > 0) {
        --file->holds;
    }
    if (file->holds != 0) {
        return;
    }
    if (i >= 0) {
        catalogue_.entry(static_cast<std::size_t>(i)).loaded.reset();
    }
    const auto it = std::find_if(files_.begin(), files_.end(),
                                 [file](const auto& f) { return f.get() == file; });
    if (it != files_.end()) {
        files_.erase(it);
    }
}

LoadedTimetable* cSeznamSestav::takeFile(std::size_t catalogueIndex, WindowLoadObserver& observer,
                                         std::int32_t& status) {
    cPolozkaKatalogu& entry = catalogue_.entry(catalogueIndex);
    if (entry.loaded) {
        for (const auto& f : files_) {
            if (f->file == entry.loaded) {
                holdFile(*f);
                return f.get();
            }
        }
    }

    auto loaded = std::make_unique<LoadedTimetable>();
    loaded->file = std::make_shared<cJizdniRad>();
    bool complete = false;
    LastProgressHeld held(observer);
    try {
        TimetableFileReader reader;
        reader.openFile(entry.header.fileName);
        complete = nactiJizdniRad(*loaded->file, reader, held);
        // The departure index and trip patterns are built here, on the loading thread, so
        // that the first search over the file does not build them.
        if (complete && !observer.cancelled()) {
            loaded->searchTables = std::make_unique<FileSearchTables>(*loaded->file);
        }
    } catch (...) {
        // The file is at fault, not the engine: what it built so far is gone with `loaded`.
        status = refusalStatus(currentEngineCode());
        return nullptr;
    }
    if (!complete) {
        return nullptr;
    }
    held.release();
    if (observer.cancelled()) {
        return nullptr;
    }
    if (store_ != nullptr) {
        loaded->makeStores(*store_);
    }
    files_.reserve(files_.size() + 1);
    entry.loaded = loaded->file;
    files_.push_back(std::move(loaded));
    LoadedTimetable* f = files_.back().get();
    holdFile(*f);
    return f;
}

SetLoadOutcome cSeznamSestav::nactiKombinaci(std::span<const std::int32_t> indexes,
                                             platform::WindowHandle window) {
    checkIndexes(indexes);
    SetLoadOutcome out;

    const std::uint32_t source =
        catalogue_.getHeader(static_cast<std::size_t>(indexes[0])).sourceCode;
    for (const std::int32_t idx : indexes) {
        if (catalogue_.getHeader(static_cast<std::size_t>(idx)).sourceCode != source) {
            out.status = SetLoadOutcome::kOtherSource;
            out.failingIndex = idx;
            return out;
        }
    }

    if (cJizdniRadySestavy* same = findEqual(indexes)) {
        same->setUseCount(same->useCount() + 1);
        out.combination = same;
        return out;
    }

    WindowLoadObserver observer(window, cancel_);
    Holds taken(*this);
    taken.reserve(indexes.size());
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        const auto idx = static_cast<std::size_t>(indexes[i]);
        if (i > 0) {
            observer.startFile(idx);
        }
        std::int32_t refused = 0;
        LoadedTimetable* f = takeFile(idx, observer, refused);
        if (f == nullptr) {
            out.status = refused != 0 ? refused : SetLoadOutcome::kCancelled;
            out.failingIndex = indexes[i];
            return out;
        }
        taken.add(f);
    }

    auto combination = std::make_unique<cJizdniRadySestavy>(taken.files());
    combination->setUseCount(1);
    out.combination = combination.get();
    entries_.add(std::move(combination));
    taken.keep();
    return out;
}

SetLoadOutcome cSeznamSestav::zmenSestavu(cJizdniRadySestavy& old,
                                          std::span<const std::int32_t> indexes,
                                          platform::WindowHandle window, bool& oldReleased) {
    oldReleased = false;
    if (find(&old) < 0) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    checkIndexes(indexes);
    if (old.useCount() > 1) {
        return nactiKombinaci(indexes, window);
    }

    // The files that stay are held across the release of the old combination.
    Holds kept(*this);
    kept.reserve(old.count());
    for (std::size_t f = 0; f < old.count(); ++f) {
        const cHlavicka& header = old.timetable(f).header;
        for (const std::int32_t idx : indexes) {
            if (sameTimetable(header, catalogue_.getHeader(static_cast<std::size_t>(idx)))) {
                LoadedTimetable& file = old.loaded(f);
                holdFile(file);
                kept.add(&file);
                break;
            }
        }
    }
    oldReleased = true;
    release(old);
    return nactiKombinaci(indexes, window);
}

void cSeznamSestav::release(cJizdniRadySestavy& combination) noexcept {
    const std::int64_t at = find(&combination);
    if (at < 0) {
        return;
    }
    if (combination.useCount() > 1) {
        combination.setUseCount(combination.useCount() - 1);
        return;
    }
    // The combination only points at its files; it is removed once they are given back.
    for (std::size_t f = 0; f < combination.count(); ++f) {
        releaseFile(&combination.loaded(f));
    }
    entries_.removeAt(at);
}

std::vector<std::int32_t> cSeznamSestav::headerIndexesOf(
    const cJizdniRadySestavy& combination) const {
    if (find(&combination) < 0) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    std::vector<std::int32_t> out;
    out.reserve(combination.count());
    for (std::size_t f = 0; f < combination.count(); ++f) {
        const std::int64_t i = catalogueIndexOf(combination.loaded(f));
        if (i < 0) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        out.push_back(static_cast<std::int32_t>(i));
    }
    return out;
}

}  // namespace trasovnik
