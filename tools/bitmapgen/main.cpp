// Renders the program's bitmaps to PNG files at build time.
//
//   bitmapgen <output folder> <image name>...   writes <output folder>/<image name>.png

#include "tools/bitmapgen/Artwork.h"

#include <cairo.h>

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: bitmapgen <output folder> <image name>...\n";
        return 2;
    }
    std::string folder = argv[1];
    for (int i = 2; i < argc; ++i) {
        const bitmapgen::Artwork* art = bitmapgen::findArtwork(argv[i]);
        if (art == nullptr) {
            std::cerr << "bitmapgen: no artwork for image \"" << argv[i] << "\"\n";
            return 1;
        }
        cairo_surface_t* surface =
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, art->width, art->height);
        cairo_t* cr = cairo_create(surface);
        art->paint(cr, art->width, art->height);
        cairo_destroy(cr);
        std::string path = folder + "/" + std::string(art->name) + ".png";
        cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
        cairo_surface_destroy(surface);
        if (status != CAIRO_STATUS_SUCCESS) {
            std::cerr << "bitmapgen: cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}

// Fontconfig keeps what it read from its configuration for the life of the process; leak
// checks of sanitizer builds ignore it.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_options() {
    return "print_suppressions=0";
}
