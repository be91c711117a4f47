#include "engine/data/HeaderCatalogue.h"

#include <algorithm>
#include <utility>

#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

std::unique_ptr<TimetableFileReader> cKatalogHlavicek::openFile(std::string_view path) {
    auto reader = std::make_unique<TimetableFileReader>();
    try {
        reader->openFile(path);
    } catch (const EngineException& e) {
        if (e.code() == ENGINE_EXC_OPEN || e.code() == ENGINE_EXC_SHORT_READ) {
            return nullptr;
        }
        throw;
    }
    if (reader->magic() != TimetableFileReader::kMagic) {
        reader->close();
        return nullptr;
    }
    return reader;
}

bool cKatalogHlavicek::markExisting(const cHlavicka& header) {
    for (auto& e : entries_) {
        if (e.header.identifier == header.identifier &&
            collateCompare(e.header.title, header.title) == 0) {
            e.found = 1;
            return true;
        }
    }
    return false;
}

std::size_t cKatalogHlavicek::nactiHlavicky(const std::vector<std::string>& paths) {
    std::erase_if(entries_, [](const cPolozkaKatalogu& e) { return e.useCount == 0; });
    for (auto& e : entries_) {
        e.found = 0;
    }

    for (const std::string& path : paths) {
        std::unique_ptr<TimetableFileReader> reader;
        cHlavicka header;
        try {
            reader = openFile(path);
            if (!reader) {
                continue;
            }
            reader->readPlainBlockTable();
            header = nactiHlavicku(*reader);
        } catch (const EngineException& e) {
            // A damaged file (its container header too) is left out like an unreadable one;
            // running out of memory ends the scan with the entries added so far.
            if (reader) {
                reader->close();
            }
            if (e.code() == ENGINE_EXC_OUT_OF_MEMORY) {
                throw;
            }
            continue;
        } catch (...) {
            if (reader) {
                reader->close();
            }
            throw;
        }
        reader->close();
        if (!markExisting(header)) {
            cPolozkaKatalogu entry;
            entry.header = std::move(header);
            entry.found = 1;
            entries_.push_back(std::move(entry));
        }
    }

    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const cPolozkaKatalogu& a, const cPolozkaKatalogu& b) {
                         if (a.header.sortKey != b.header.sortKey) {
                             return a.header.sortKey < b.header.sortKey;
                         }
                         return collateCompare(a.header.secondText, b.header.secondText) < 0;
                     });
    return entries_.size();
}

const cPolozkaKatalogu& cKatalogHlavicek::entry(std::size_t i) const {
    if (i >= entries_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return entries_[i];
}

cPolozkaKatalogu& cKatalogHlavicek::entry(std::size_t i) {
    if (i >= entries_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return entries_[i];
}

const cHlavicka& cKatalogHlavicek::getHeader(std::size_t i) const {
    return entry(i).header;
}

std::uint8_t cKatalogHlavicek::getFlag(std::size_t i) const {
    return entry(i).found;
}

}  // namespace trasovnik
