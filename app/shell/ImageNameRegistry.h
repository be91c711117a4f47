#pragma once
// The program-wide map from image name (used in markup texts, the tab strip and the buttons)
// to bitmap resource id, and loading a bitmap by name.

#include "platform/draw/Bitmap.h"

#include <cstdint>
#include <string_view>

namespace pelorvant {

// Fills the registry with the program's 23 image names; calling it again does no harm.
void registerImageNames();

// Registers one more name (or moves a name to another bitmap).
void registerImageName(std::u16string_view name, std::uint16_t id);

// The bitmap id registered for the name; 0 when the name is not registered.
std::uint16_t imageIdForName(std::u16string_view name);

// The bitmap of a resource id; an empty bitmap (owned by the caller) when none loads.
platform::draw::Bitmap loadImageBitmap(std::uint16_t id);

// The bitmap registered for the name; throws ShellException "No image loaded Exception" when
// the name is not registered or its bitmap does not load.
platform::draw::Bitmap loadNamedImage(std::u16string_view name);

}  // namespace pelorvant
