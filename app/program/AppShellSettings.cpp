#include "app/program/AppShellSettings.h"

namespace pelorvant {

const platform::draw::Font& AppShellSettings::mainFont() const {
    return settings_.mainFont ? *settings_.mainFont : platform::draw::Font::defaultFont();
}

}  // namespace pelorvant
