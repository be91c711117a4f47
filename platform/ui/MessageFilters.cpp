#include "platform/ui/MessageFilters.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace platform::ui {
namespace {

struct Filters {
    std::mutex mutex;
    std::vector<PreTranslateFilter> list;
};

Filters& filters() {
    static Filters f;
    return f;
}

}  // namespace

void addPreTranslateFilter(PreTranslateFilter filter) {
    if (!filter) {
        return;
    }
    Filters& f = filters();
    const std::lock_guard lock(f.mutex);
    if (std::find(f.list.begin(), f.list.end(), filter) == f.list.end()) {
        f.list.push_back(filter);
    }
}

void removePreTranslateFilter(PreTranslateFilter filter) {
    Filters& f = filters();
    const std::lock_guard lock(f.mutex);
    f.list.erase(std::remove(f.list.begin(), f.list.end(), filter), f.list.end());
}

bool preTranslateMessage(const Message& message) {
    std::vector<PreTranslateFilter> now;
    {
        // A filter may add or remove filters; it runs on a copy, outside the lock.
        Filters& f = filters();
        const std::lock_guard lock(f.mutex);
        now = f.list;
    }
    return std::any_of(now.begin(), now.end(),
                       [&message](PreTranslateFilter filter) { return filter(message); });
}

}  // namespace platform::ui
