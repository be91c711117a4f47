#include "platform/shell/MessageBoxButtons.h"

#include <utility>

namespace platform::shell {
namespace {

MessageBoxButtonTexts& current() {
    static MessageBoxButtonTexts texts;
    return texts;
}

}  // namespace

void setMessageBoxButtonTexts(MessageBoxButtonTexts texts) {
    current() = std::move(texts);
}

const MessageBoxButtonTexts& messageBoxButtonTexts() {
    return current();
}

}  // namespace platform::shell
