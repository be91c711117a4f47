#include "platform/ui/MessageMap.h"

namespace platform::ui {

bool MessageMapBase::dispatchCommand(WindowObject& target, std::uint32_t id,
                                     std::uint32_t code) const {
    for (const MessageMapBase* map = this; map; map = map->base_) {
        for (const CommandEntry& e : map->commands_) {
            if (id >= e.first && id <= e.last && code == e.code) {
                e.handler(target, id);
                return true;
            }
        }
    }
    return false;
}

bool MessageMapBase::dispatchNotify(WindowObject& target, const NotifyHeader& header,
                                    MsgResult& result) const {
    for (const MessageMapBase* map = this; map; map = map->base_) {
        for (const NotifyEntry& e : map->notifies_) {
            if (e.id == header.idFrom && e.code == header.code) {
                e.handler(target, header, result);
                return true;
            }
        }
    }
    return false;
}

bool MessageMapBase::dispatchMessage(WindowObject& target, std::uint32_t message,
                                     std::uintptr_t wParam, std::intptr_t lParam,
                                     MsgResult& result) const {
    for (const MessageMapBase* map = this; map; map = map->base_) {
        for (const MessageEntry& e : map->messages_) {
            if (e.message == message) {
                result = e.handler(target, wParam, lParam);
                return true;
            }
        }
    }
    return false;
}

}  // namespace platform::ui
