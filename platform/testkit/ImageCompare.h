#pragma once
// Comparing screenshots with golden images, forgiving small differences of font rendering.

#include "platform/draw/Bitmap.h"

#include <string>

namespace platform::testkit {

struct ImageDifference {
    bool sameSize = false;
    int differing = 0;  // pixels whose largest channel difference exceeds the tolerance
    int total = 0;
};

ImageDifference compareImages(const draw::Bitmap& a, const draw::Bitmap& b, int tolerance);

// Compares a screenshot with the golden PNG at `path`; true when at most `maxDiffering` pixels
// differ by more than `tolerance` in a channel. With TRASA_UPDATE_GOLDEN=1 in the environment
// the golden file is written from the screenshot instead. `report` says what was found.
bool matchesGolden(const draw::Bitmap& shot, const std::string& path, int tolerance,
                   int maxDiffering, std::string* report = nullptr);

}  // namespace platform::testkit
