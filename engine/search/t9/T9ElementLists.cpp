#include "engine/search/t9/T9ElementLists.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "engine/data/EngineException.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/t9/T9Code.h"

namespace trasovnik {

T9ElementLists::T9ElementLists(const cJizdniRad& file) {
    const cKategorie& categories = file.categories;
    kinds_.resize(categories.kindCount());
    for (std::size_t k = 0; k < categories.kindCount(); ++k) {
        std::vector<T9Element>& list = kinds_[k];
        const std::size_t n = categories.elementCount(k);
        list.reserve(n);
        for (std::size_t e = 0; e < n; ++e) {
            list.push_back(T9Element{t9CodeOfWord(categories.elementName(file.names, k, e)),
                                     static_cast<std::uint32_t>(e)});
        }
        std::stable_sort(list.begin(), list.end(), [](const T9Element& a, const T9Element& b) {
            return a.code % 10 < b.code % 10;
        });
    }
}

const std::vector<T9Element>& T9ElementLists::kind(std::size_t k) const {
    if (k >= kinds_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return kinds_[k];
}

std::shared_ptr<const T9ElementLists> T9ElementLists::of(const std::shared_ptr<cJizdniRad>& file) {
    struct Cached {
        std::weak_ptr<cJizdniRad> file;
        std::shared_ptr<const T9ElementLists> lists;
    };
    static std::mutex mutex;
    static std::map<const cJizdniRad*, Cached> cache;
    if (!file) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    const std::lock_guard<std::mutex> lock(mutex);
    // Files that were freed leave the cache (a new file may take the same address).
    for (auto it = cache.begin(); it != cache.end();) {
        it = it->second.file.expired() ? cache.erase(it) : std::next(it);
    }
    auto found = cache.find(file.get());
    if (found != cache.end()) {
        return found->second.lists;
    }
    auto lists = std::make_shared<const T9ElementLists>(*file);
    cache.emplace(file.get(), Cached{file, lists});
    return lists;
}

}  // namespace trasovnik
