#pragma once
// Ends start-up: carries the string-table text that start-up shows as a fatal error before the
// program ends.
#include <cstdint>
#include <stdexcept>

namespace pelorvant {

class ExceptionExit : public std::runtime_error {
public:
    explicit ExceptionExit(std::uint32_t textId)
        : std::runtime_error("start-up cannot continue"), textId_(textId) {}
    std::uint32_t textId() const { return textId_; }

private:
    std::uint32_t textId_;
};

// String-table texts of failures that end the program.
inline constexpr std::uint32_t kTextEngineLibraryMissing = 138;
inline constexpr std::uint32_t kTextUnexpectedError = 279;
inline constexpr std::uint32_t kTextOutOfMemory = 280;
inline constexpr std::uint32_t kTextErrorCaption = 162;
// What the box of such a failure appends to the text, and its caption.
inline constexpr std::uint32_t kTextEndNotice = 12302;
inline constexpr std::uint32_t kTextFatalCaption = 12303;

}  // namespace pelorvant
