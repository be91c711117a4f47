#pragma once
// The addresses the update check fetches. They come from the per-country tables, unless the
// environment variable PELORVANT_UPDATE_SERVER names another server folder (a test server or
// a mirror): then the update information is <folder>/pelorakt.ini and the program-version
// file <folder>/app/pelorakt.ini, the layout tools/mkupdate writes.
#include <cstdint>
#include <string>

namespace pelorvant {

inline constexpr const char* kUpdateServerVariable = "PELORVANT_UPDATE_SERVER";

std::string updateInformationUrl(std::int32_t language);
std::string programVersionUrl();

}  // namespace pelorvant
