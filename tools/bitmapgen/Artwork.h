#pragma once
// The program's bitmaps, drawn with cairo: each image name with its pixel size and the routine
// that paints it onto a transparent surface of that size.

#include <string_view>

typedef struct _cairo cairo_t;

namespace bitmapgen {

struct Artwork {
    std::string_view name;
    int width;
    int height;
    void (*paint)(cairo_t* cr, int width, int height);
};

// The artwork of this image name; null when there is none.
const Artwork* findArtwork(std::string_view name);

}  // namespace bitmapgen
