#include "platform/controls/Clipboard.h"

#include <mutex>
#include <optional>

namespace platform::controls {
namespace {

// Any thread may copy; the lock keeps a paste from seeing half a copy.
std::mutex& clipboardLock() {
    static std::mutex lock;
    return lock;
}

std::optional<std::u16string>& clipboard() {
    static std::optional<std::u16string> text;
    return text;
}

}  // namespace

void setClipboardText(std::u16string_view text) {
    std::lock_guard<std::mutex> hold(clipboardLock());
    clipboard() = std::u16string(text);
}

std::u16string clipboardText() {
    std::lock_guard<std::mutex> hold(clipboardLock());
    return clipboard().value_or(std::u16string());
}

bool clipboardHasText() {
    std::lock_guard<std::mutex> hold(clipboardLock());
    return clipboard().has_value();
}

void clearClipboard() {
    std::lock_guard<std::mutex> hold(clipboardLock());
    clipboard().reset();
}

}  // namespace platform::controls
