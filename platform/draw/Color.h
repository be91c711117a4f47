#pragma once
// Colours in the form the program's code writes them: 0x00BBGGRR (red in the lowest byte),
// so 0xD69631 is red 49, green 150, blue 214.

#include <cstdint>

namespace platform::draw {

using Color = std::uint32_t;

constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr std::uint8_t redOf(Color c) {
    return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t greenOf(Color c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t blueOf(Color c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

// A pixel of an image surface (0xAARRGGBB, alpha in the top byte) to and from a colour.
constexpr std::uint32_t pixelOf(Color c) {
    return 0xFF000000u | (static_cast<std::uint32_t>(redOf(c)) << 16) |
           (static_cast<std::uint32_t>(greenOf(c)) << 8) | blueOf(c);
}
constexpr Color colorOfPixel(std::uint32_t p) {
    return rgb(static_cast<std::uint8_t>((p >> 16) & 0xFF),
               static_cast<std::uint8_t>((p >> 8) & 0xFF), static_cast<std::uint8_t>(p & 0xFF));
}

}  // namespace platform::draw
