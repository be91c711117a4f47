#include "platform/shell/Menu.h"

namespace platform::shell {

const MenuItem* Menu::item(int position) const {
    return (position >= 0 && position < count()) ? &items_[static_cast<std::size_t>(position)]
                                                 : nullptr;
}

long Menu::itemId(int position) const {
    const MenuItem* i = item(position);
    if (!i || i->kind == MenuItem::Kind::Separator) {
        return 0;
    }
    return i->kind == MenuItem::Kind::Popup ? -1 : static_cast<long>(i->id);
}

MenuPtr Menu::subMenu(int position) const {
    const MenuItem* i = item(position);
    return (i && i->kind == MenuItem::Kind::Popup) ? i->popup : nullptr;
}

Menu::Place Menu::find(std::uint32_t which, unsigned flags) {
    if (flags & MF_BYPOSITION) {
        const int p = static_cast<int>(which);
        return (p >= 0 && p < count()) ? Place{this, p} : Place{};
    }
    for (int p = 0; p < count(); ++p) {
        MenuItem& i = items_[static_cast<std::size_t>(p)];
        if (i.kind == MenuItem::Kind::Command && i.id == which) {
            return Place{this, p};
        }
        if (i.kind == MenuItem::Kind::Popup && i.popup && i.popup.get() != this) {
            if (Place inner = i.popup->find(which, flags); inner.menu) {
                return inner;
            }
        }
    }
    return Place{};
}

bool Menu::offers(std::uint32_t command) const {
    for (const MenuItem& i : items_) {
        if (i.grayed) continue;
        if (i.kind == MenuItem::Kind::Command && i.id == command) return true;
        if (i.kind == MenuItem::Kind::Popup && i.popup && i.popup.get() != this && i.popup->offers(command))
            return true;
    }
    return false;
}

bool Menu::insert(std::uint32_t where, unsigned flags, std::uint32_t id, std::u16string_view text,
                  MenuPtr popup) {
    MenuItem item;
    item.kind = (flags & MF_SEPARATOR) ? MenuItem::Kind::Separator
                : (flags & MF_POPUP)   ? MenuItem::Kind::Popup
                                       : MenuItem::Kind::Command;
    if (item.kind == MenuItem::Kind::Popup && !popup) {
        return false;
    }
    item.id = item.kind == MenuItem::Kind::Separator ? 0 : id;  // a popup keeps its button id
    item.text = std::u16string(text);
    item.checked = (flags & MF_CHECKED) != 0;
    item.grayed = (flags & MF_GRAYED) != 0;
    item.popup = std::move(popup);
    Menu* target = this;
    int position = count();
    if (flags & MF_BYPOSITION) {
        const auto p = static_cast<std::int32_t>(where);
        position = (p < 0 || p > count()) ? count() : p;
    } else {
        const Place place = find(where, MF_BYCOMMAND);
        if (!place.menu) {
            return false;
        }
        target = place.menu;
        position = place.position;
    }
    target->items_.insert(target->items_.begin() + position, std::move(item));
    return true;
}

bool Menu::append(unsigned flags, std::uint32_t id, std::u16string_view text, MenuPtr popup) {
    return insert(static_cast<std::uint32_t>(-1), flags | MF_BYPOSITION, id, text,
                  std::move(popup));
}

bool Menu::remove(std::uint32_t which, unsigned flags) {
    const Place place = find(which, flags);
    if (!place.menu) {
        return false;
    }
    place.menu->items_.erase(place.menu->items_.begin() + place.position);
    return true;
}

long Menu::check(std::uint32_t which, unsigned flags) {
    const Place place = find(which, flags);
    if (!place.menu) {
        return -1;
    }
    MenuItem& i = place.menu->items_[static_cast<std::size_t>(place.position)];
    const long old = i.checked ? MF_CHECKED : 0;
    i.checked = (flags & MF_CHECKED) != 0;
    return old;
}

long Menu::enable(std::uint32_t which, unsigned flags) {
    const Place place = find(which, flags);
    if (!place.menu) {
        return -1;
    }
    MenuItem& i = place.menu->items_[static_cast<std::size_t>(place.position)];
    const long old = i.grayed ? MF_GRAYED : 0;
    i.grayed = (flags & MF_GRAYED) != 0;
    return old;
}

bool Menu::setText(std::uint32_t which, unsigned flags, std::u16string_view text) {
    const Place place = find(which, flags);
    if (!place.menu) {
        return false;
    }
    place.menu->items_[static_cast<std::size_t>(place.position)].text = std::u16string(text);
    return true;
}

}  // namespace platform::shell
