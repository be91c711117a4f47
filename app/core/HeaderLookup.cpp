#include "app/core/HeaderLookup.h"

#include "app/core/Cp1250.h"

namespace pelorvant {

int findHeaderByName(const std::vector<TimetableHeaderInfo>& headers, std::u16string_view name) {
    const std::u16string wanted = lowerText(name);
    for (std::size_t i = 0; i < headers.size(); ++i) {
        if (lowerText(headers[i].title) == wanted) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace pelorvant
