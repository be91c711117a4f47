#include "app/core/UpdateAddresses.h"

#include "app/core/CountryTables.h"
#include "app/core/TextConversion.h"

#include <cstdlib>

namespace pelorvant {
namespace {

// The server folder of the environment, ending in "/"; "" when the variable is not set.
std::string overrideFolder() {
    const char* value = std::getenv(kUpdateServerVariable);
    if (value == nullptr || *value == '\0') return {};
    std::string folder(value);
    if (folder.back() != '/') folder.push_back('/');
    return folder;
}

}  // namespace

std::string updateInformationUrl(std::int32_t language) {
    const std::string folder = overrideFolder();
    return folder.empty() ? toUtf8(updateInfoAddress(language)) : folder + "pelorakt.ini";
}

std::string programVersionUrl() {
    const std::string folder = overrideFolder();
    return folder.empty() ? toUtf8(programVersionAddress()) : folder + "app/pelorakt.ini";
}

}  // namespace pelorvant
