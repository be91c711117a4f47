#include "tools/uidrive/EndHold.h"

#include "app/core/PrivateMessages.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/core/DeliveryHold.h"
#include "platform/core/MessageLoop.h"
#include "platform/draw/Utf.h"
#include "platform/ui/WindowTree.h"

#include <cstdint>
#include <map>

namespace uidrive {

namespace {

// The message each worker ends with.
const std::map<std::string, std::uint32_t>& endMessages() {
    static const std::map<std::string, std::uint32_t> messages{
        {"search", pelorvant::WM_SEARCH_DONE},
        {"load", pelorvant::WM_LOADING_DONE},
        {"download", pelorvant::WM_DOWNLOAD_DONE},
    };
    return messages;
}

// The first button with that text in the tree, shown or not.
platform::WindowHandle findButton(platform::WindowHandle root, const std::u16string& text) {
    namespace ui = platform::ui;
    if (ui::getClassName(root) == platform::controls::kButtonClass && ui::getWindowText(root) == text) return root;
    for (const platform::WindowHandle child : ui::getChildren(root)) {
        if (const platform::WindowHandle found = findButton(child, text); found != platform::kNullWindow) return found;
    }
    return platform::kNullWindow;
}

}  // namespace

std::optional<std::string> endHoldStep(const std::vector<std::string>& words, platform::WindowHandle frame,
                                       std::chrono::milliseconds patience, const std::function<void()>& pump) {
    const std::string& op = words[0];
    if (op == "hold-end") {
        if (words.size() < 2) return std::string("hold-end needs search, load or download");
        const auto it = endMessages().find(words[1]);
        if (it == endMessages().end()) return "no worker ends with " + words[1];
        platform::holdNextDelivery(it->second);
        return std::string();
    }
    if (op == "expect-end-held") {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (!platform::waitForHeldDelivery(1)) {
            if (std::chrono::steady_clock::now() > deadline) return std::string("no worker's end reached the hold");
            pump();
        }
        return std::string();
    }
    if (op == "click-button") {
        if (words.size() < 2) return std::string("click-button needs the button's text");
        // Only the moment of a held end lets a tap reach a view that is no longer shown; any
        // other time a button is tapped where it shows (tap-window).
        if (!platform::waitForHeldDelivery(0)) return std::string("click-button needs a held end (hold-end)");
        const platform::WindowHandle button = findButton(frame, platform::draw::fromUtf8(words[1]));
        if (button == platform::kNullWindow) return "no button \"" + words[1] + "\"";
        platform::sendMessage(button, platform::controls::BM_CLICK, 0, 0);
        return std::string();
    }
    if (op == "release-end") {
        releaseEndHold();
        return std::string();
    }
    return std::nullopt;
}

void releaseEndHold() {
    platform::releaseHeldDelivery();
}

}  // namespace uidrive
