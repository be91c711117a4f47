#include "platform/testkit/ImageCompare.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace platform::testkit {

ImageDifference compareImages(const draw::Bitmap& a, const draw::Bitmap& b, int tolerance) {
    ImageDifference d;
    d.sameSize = a.size() == b.size();
    if (!d.sameSize) {
        return d;
    }
    d.total = a.width() * a.height();
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const draw::Color p = a.pixel(x, y);
            const draw::Color q = b.pixel(x, y);
            const int diff = std::max({std::abs(draw::redOf(p) - draw::redOf(q)),
                                       std::abs(draw::greenOf(p) - draw::greenOf(q)),
                                       std::abs(draw::blueOf(p) - draw::blueOf(q))});
            d.differing += diff > tolerance ? 1 : 0;
        }
    }
    return d;
}

bool matchesGolden(const draw::Bitmap& shot, const std::string& path, int tolerance,
                   int maxDiffering, std::string* report) {
    const char* update = std::getenv("TRASA_UPDATE_GOLDEN");
    if (update && std::string_view(update) == "1") {
        if (report) {
            *report = "golden written to " + path;
        }
        return shot.savePng(path);
    }
    const draw::Bitmap golden = draw::Bitmap::loadPng(path);
    if (golden.empty()) {
        if (report) {
            *report = "no golden image at " + path;
        }
        return false;
    }
    const ImageDifference d = compareImages(shot, golden, tolerance);
    if (report) {
        *report = d.sameSize ? std::to_string(d.differing) + " of " + std::to_string(d.total) +
                                   " pixels differ"
                             : "sizes differ";
    }
    return d.sameSize && d.differing <= maxDiffering;
}

}  // namespace platform::testkit
