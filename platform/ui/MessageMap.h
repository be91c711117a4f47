#pragma once
// Message maps: a window class lists which WM_COMMAND ids, WM_NOTIFY codes and messages go to
// which of its member functions, and chains to the map of its base class:
//
//     const ui::MessageMapBase& SearchForm::messageMap() const {
//         static const auto map = ui::MessageMap<SearchForm>(&BaseView::messageMap(*this))
//                                     .command(32775, &SearchForm::menuOkClick)
//                                     .message(WM_LISTBOX_RETURN, &SearchForm::OnListBoxReturn);
//         return map;
//     }

#include "platform/core/Types.h"
#include "platform/ui/UiMessages.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace platform::ui {

class WindowObject;

class MessageMapBase {
public:
    explicit MessageMapBase(const MessageMapBase* base) : base_(base) {}
    virtual ~MessageMapBase() = default;

    // Each returns true when an entry of this map or of a base map took the message.
    bool dispatchCommand(WindowObject& target, std::uint32_t id, std::uint32_t code) const;
    bool dispatchNotify(WindowObject& target, const NotifyHeader& header, MsgResult& result) const;
    bool dispatchMessage(WindowObject& target, std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam, MsgResult& result) const;

protected:
    struct CommandEntry {
        std::uint32_t first;
        std::uint32_t last;
        std::uint32_t code;
        std::function<void(WindowObject&, std::uint32_t id)> handler;
    };
    struct NotifyEntry {
        std::uintptr_t id;
        std::uint32_t code;
        std::function<void(WindowObject&, const NotifyHeader&, MsgResult&)> handler;
    };
    struct MessageEntry {
        std::uint32_t message;
        std::function<MsgResult(WindowObject&, std::uintptr_t, std::intptr_t)> handler;
    };
    std::vector<CommandEntry> commands_;
    std::vector<NotifyEntry> notifies_;
    std::vector<MessageEntry> messages_;

private:
    const MessageMapBase* base_;
};

template <class T>
class MessageMap : public MessageMapBase {
public:
    explicit MessageMap(const MessageMapBase* base = nullptr) : MessageMapBase(base) {}

    // A command (menu item, or a control's notification code `code`, 0 for a click).
    MessageMap&& command(std::uint32_t id, void (T::*fn)(), std::uint32_t code = 0) && {
        commands_.push_back(
            {id, id, code, [fn](WindowObject& o, std::uint32_t) { (static_cast<T&>(o).*fn)(); }});
        return std::move(*this);
    }
    // Every command id from first to last, the handler told which one.
    MessageMap&& commandRange(std::uint32_t first, std::uint32_t last,
                              void (T::*fn)(std::uint32_t id), std::uint32_t code = 0) && {
        commands_.push_back({first, last, code, [fn](WindowObject& o, std::uint32_t id) {
                                 (static_cast<T&>(o).*fn)(id);
                             }});
        return std::move(*this);
    }
    // A WM_NOTIFY from control `id` with the code; the handler may set the result.
    MessageMap&& notify(std::uintptr_t id, std::uint32_t code,
                        void (T::*fn)(const NotifyHeader&, MsgResult&)) && {
        notifies_.push_back({id, code, [fn](WindowObject& o, const NotifyHeader& h, MsgResult& r) {
                                 (static_cast<T&>(o).*fn)(h, r);
                             }});
        return std::move(*this);
    }
    // Any other message, with its parameters and result.
    MessageMap&& message(std::uint32_t msg, MsgResult (T::*fn)(std::uintptr_t, std::intptr_t)) && {
        messages_.push_back({msg, [fn](WindowObject& o, std::uintptr_t w, std::intptr_t l) {
                                 return (static_cast<T&>(o).*fn)(w, l);
                             }});
        return std::move(*this);
    }
    // A message whose handler needs no parameters; it answers 0.
    MessageMap&& message(std::uint32_t msg, void (T::*fn)()) && {
        messages_.push_back({msg, [fn](WindowObject& o, std::uintptr_t, std::intptr_t) {
                                 (static_cast<T&>(o).*fn)();
                                 return MsgResult{0};
                             }});
        return std::move(*this);
    }
};

}  // namespace platform::ui
