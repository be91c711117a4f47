#include "platform/ui/WindowClass.h"

#include <map>
#include <mutex>

namespace platform::ui {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, WindowClass> classes;
};

Registry& registry() {
    static Registry r;
    return r;
}

}  // namespace

bool registerClass(const WindowClass& windowClass) {
    if (windowClass.name.empty()) {
        return false;
    }
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.classes[windowClass.name] = windowClass;
    return true;
}

std::optional<WindowClass> findClass(const std::string& name) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.classes.find(name);
    if (it == r.classes.end()) {
        return std::nullopt;
    }
    return it->second;
}

}  // namespace platform::ui
