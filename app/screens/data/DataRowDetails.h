#pragma once
// The caption texts (ImageLabel markup) that describe the selected row of the data views: an
// offered timetable (its version and size) and an installed file (its place and size).
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace pelorvant {

// "<*b*><*H*>" row "\r<*h*>Verze:<*b*>" version "  <*b*>Velikost:<*b*>" size " KB", with
// H the font height and h 0.9 of it.
std::u16string offeredRowDetails(int fontHeight, std::u16string_view rowText,
                                 std::u16string_view versionText, std::u16string_view sizeText);
// "<*b*><*H*> Umístění:<*b*><*h*>\r" path "<*b*><*H*>\rVelikost:<*b*>N KB", with h 0.8 of the
// font height and N the size in whole kilobytes (0 when the file cannot be read). The path and
// the size lines begin with their text, never with a tag.
std::u16string installedFileDetails(int fontHeight, const std::filesystem::path& file);

}  // namespace pelorvant
