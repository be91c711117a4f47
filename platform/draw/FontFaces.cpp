#include "platform/draw/FontFaces.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <mutex>
#include <tuple>

namespace platform::draw::detail {

std::string substituteFamily(const std::string& face) {
    if (face.empty() || face == "Verdana" || face == "Tahoma") {
        return "DejaVu Sans";
    }
    return face;
}

cairo_font_face_t* findFace(const std::string& family, bool bold, bool italic) {
    static std::mutex mutex;
    static std::map<std::tuple<std::string, bool, bool>, cairo_font_face_t*> faces;
    std::lock_guard lock(mutex);
    auto key = std::make_tuple(family, bold, italic);
    if (auto it = faces.find(key); it != faces.end()) {
        return it->second;
    }
    cairo_font_face_t* face = nullptr;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
        face = cairo_ft_font_face_create_for_pattern(match);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    if (!face || cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
        face = cairo_toy_font_face_create(
            family.c_str(), italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
            bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    }
    faces.emplace(key, face);
    return face;
}

}  // namespace platform::draw::detail

// Fontconfig keeps what it read from its configuration files for the life of the process and
// never frees it, and so do the display libraries under the SDL backend (D-Bus, X11) and the
// calendar service's client library (its registry's D-Bus proxies); leak checks in sanitizer
// builds are told to ignore those libraries.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libX11.so\nleak:libSDL2\nleak:"
           "libedataserver-1.2.so\n";
}
