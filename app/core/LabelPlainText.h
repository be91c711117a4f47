#pragma once
// Engine texts (stop names, note texts) put into a label's markup: they must show as written,
// never as markup. An image tag naming no registered image would make the label refuse the
// whole text, so the openings of tags are broken with an invisible zero-width space.
#include <string>
#include <string_view>

namespace pelorvant {

std::u16string plainLabelText(std::u16string_view text);

}  // namespace pelorvant
