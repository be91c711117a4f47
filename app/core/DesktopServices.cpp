#include "app/core/DesktopServices.h"

#include <memory>

namespace pelorvant {

namespace {

platform::services::DesktopOpener* gReplacement = nullptr;

}  // namespace

platform::services::DesktopOpener& desktopOpener() {
    if (gReplacement != nullptr) return *gReplacement;
    static const std::unique_ptr<platform::services::DesktopOpener> real = platform::services::makeXdgOpener();
    return *real;
}

platform::services::DesktopOpener* setDesktopOpener(platform::services::DesktopOpener* opener) {
    platform::services::DesktopOpener* previous = gReplacement;
    gReplacement = opener;
    return previous;
}

}  // namespace pelorvant
