#pragma once
// The fonts a label draws with: Verdana at a height, bold, italic and underline toggled by its
// markup. Fonts are made once per combination and kept while the cache lives.

#include "platform/draw/Font.h"

#include <map>
#include <memory>
#include <tuple>

namespace pelorvant {

struct LabelFontState {
    int height = 13;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    // Toggles the style of a markup letter ('b', 'i' or 'u'; others change nothing).
    void toggle(char16_t letter);
};

class LabelFonts {
public:
    // The font for the state; owned by the cache.
    const platform::draw::Font& font(const LabelFontState& state);

private:
    using Key = std::tuple<int, bool, bool, bool, bool>;
    std::map<Key, std::unique_ptr<platform::draw::Font>> fonts_;
};

}  // namespace pelorvant
