#pragma once
// Text from a timetable file or a download (stop names, note texts, file descriptions) put
// into a label's markup: it must show as written, never act as markup. The openings of tags
// and the close of images are broken with an invisible zero-width space, so "<*b*>" in a name
// stays those five characters and "#*x*#" names no image; tabs and line breaks become spaces,
// so a name stays on its line.
#include <string>
#include <string_view>

namespace pelorvant {

std::u16string plainLabelText(std::u16string_view text);

}  // namespace pelorvant
