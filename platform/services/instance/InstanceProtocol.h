#pragma once
// The lines a later start and the running instance exchange; one answer a request.
#include <string_view>

namespace platform::services::instance_protocol {

inline constexpr std::string_view kTitle = "title";      // answer: "title <text>"
inline constexpr std::string_view kRaise = "raise";      // answer: kDone once raised
inline constexpr std::string_view kHandOver = "handover";  // answer: kDone once handled
inline constexpr std::string_view kDone = "done";
inline constexpr std::string_view kUnknown = "unknown";

}  // namespace platform::services::instance_protocol
