#include "engine/data/TimetableCombination.h"

#include "engine/data/EngineException.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableFile.h"

namespace trasovnik {
namespace {

std::vector<const cJizdniRad*> timetablesOf(const std::vector<LoadedTimetable*>& files) {
    std::vector<const cJizdniRad*> out;
    out.reserve(files.size());
    for (const LoadedTimetable* f : files) {
        if (f == nullptr || !f->file) {
            raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
        }
        out.push_back(f->file.get());
    }
    return out;
}

// Replaces the store's entries by those kept for the other files of the set: the first other
// file, in set order, whose section has any. When none has, the store's own section is read
// again, so that it keeps its own state (the history's counter).
void takeOverFromOthers(cOblibeneHistorie& store, const std::vector<const cJizdniRad*>& files,
                        std::size_t self) {
    if (store.count() != 0) {
        return;
    }
    for (std::size_t other = 0; other < files.size(); ++other) {
        if (other == self) {
            continue;
        }
        store.load(std::string_view(files[other]->header.title));
        if (store.count() != 0) {
            return;
        }
    }
    store.load();
}

}  // namespace

cJizdniRadySestavy::cJizdniRadySestavy(std::vector<LoadedTimetable*> files)
    : merged_(timetablesOf(files)) {
    const std::vector<const cJizdniRad*> timetables = timetablesOf(files);
    files_.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        files_.push_back(
            File{files[i], CrossLinks(timetables, i), timetables[i]->stops.stopCount()});
    }
    crossLoadStores();
}

void cJizdniRadySestavy::crossLoadStores() {
    if (files_.size() < 2) {
        return;
    }
    const std::vector<const cJizdniRad*> all = timetables();
    for (std::size_t i = 0; i < files_.size(); ++i) {
        LoadedTimetable& lt = *files_[i].loaded;
        if (lt.favourites) {
            takeOverFromOthers(*lt.favourites, all, i);
        }
        if (lt.history) {
            takeOverFromOthers(*lt.history, all, i);
        }
    }
}

const cJizdniRadySestavy::File& cJizdniRadySestavy::file(std::size_t i) const {
    if (i >= files_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return files_[i];
}

const cJizdniRad& cJizdniRadySestavy::timetable(std::size_t i) const {
    return *file(i).loaded->file;
}

LoadedTimetable& cJizdniRadySestavy::loaded(std::size_t i) const {
    return *file(i).loaded;
}

std::vector<const cJizdniRad*> cJizdniRadySestavy::timetables() const {
    std::vector<const cJizdniRad*> out;
    out.reserve(files_.size());
    for (const File& f : files_) {
        out.push_back(f.loaded->file.get());
    }
    return out;
}

std::size_t cJizdniRadySestavy::stopCount(std::size_t i) const {
    return file(i).stopCount;
}

const CrossLinks& cJizdniRadySestavy::crossLinks(std::size_t i) const {
    return file(i).links;
}

std::string_view cJizdniRadySestavy::elementNameOf(const IndexTriple& t) const {
    if (t.timetable < 0 || t.kind < 0 || t.element < 0) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    const cJizdniRad& jr = timetable(static_cast<std::size_t>(t.timetable));
    return jr.categories.elementName(jr.names, static_cast<std::size_t>(t.kind),
                                     static_cast<std::size_t>(t.element));
}

std::string_view cJizdniRadySestavy::kindNameOf(const IndexTriple& t) const {
    if (t.timetable < 0 || t.kind < 0) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    const cJizdniRad& jr = timetable(static_cast<std::size_t>(t.timetable));
    return jr.categories.kindName(jr.names, static_cast<std::size_t>(t.kind));
}

}  // namespace trasovnik
