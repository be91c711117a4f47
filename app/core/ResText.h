#pragma once
// String-table texts with a value put in: the texts mark the place of the value with "%s".
#include <cstdint>
#include <string>
#include <string_view>

namespace pelorvant {

// The text of `id` with its first "%s" replaced by `value` (the text as it is without one).
std::u16string resStringWith(std::uint32_t id, std::u16string_view value);

}  // namespace pelorvant
