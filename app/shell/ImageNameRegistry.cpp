#include "app/shell/ImageNameRegistry.h"

#include "app/shell/ShellException.h"

#include "platform/resources/ImageResources.h"

#include <map>
#include <string>

namespace pelorvant {

namespace {

struct Entry {
    std::u16string_view name;
    std::uint16_t id;
};

constexpr Entry kImageNames[] = {
    {u"infoC", 141},        {u"infoM", 159},         {u"infoMD", 160},
    {u"infoO", 170},        {u"infoR", 171},         {u"infoF", 169},
    {u"infoZ", 168},        {u"sipka", 142},         {u"sipkaS", 143},
    {u"sipkaD", 144},       {u"logo", 191},          {u"tab_add_down", 148},
    {u"tab_add_down_focused", 164},                  {u"tab_add_up", 147},
    {u"tab_close_11", 269}, {u"tab_close_13", 270},  {u"tab_close_15", 271},
    {u"tab_close_17", 272}, {u"tab_close_19", 273},  {u"tab_close_21", 274},
    {u"tab_close_23", 275}, {u"tab_close_25", 276},  {u"tab_close_27", 268},
};

std::map<std::u16string, std::uint16_t, std::less<>>& registry() {
    static std::map<std::u16string, std::uint16_t, std::less<>> names;
    return names;
}

}  // namespace

void registerImageName(std::u16string_view name, std::uint16_t id) {
    registry()[std::u16string(name)] = id;
}

void registerImageNames() {
    for (const Entry& e : kImageNames) {
        registerImageName(e.name, e.id);
    }
}

std::uint16_t imageIdForName(std::u16string_view name) {
    const auto& names = registry();
    const auto it = names.find(name);
    return it == names.end() ? 0 : it->second;
}

platform::draw::Bitmap loadImageBitmap(std::uint16_t id) {
    if (id == 0) {
        return {};
    }
    return platform::resources::loadBitmapResource(id);
}

platform::draw::Bitmap loadNamedImage(std::u16string_view name) {
    platform::draw::Bitmap b = loadImageBitmap(imageIdForName(name));
    if (b.empty()) {
        throw ShellException(kNoImageLoaded);
    }
    return b;
}

}  // namespace pelorvant
