#pragma once
// Thrown where start-up cannot go on (engine binding, creating the main frame); carries the
// message shown in the fatal-error box. Caught by the start-up (InitInstance); a worker thread
// that meets one shows it with ShowFatalError and ends the program.
#include <exception>
#include <string>

namespace pelorvant {

class ExceptionExit : public std::exception {
public:
    explicit ExceptionExit(std::u16string message) : message_(std::move(message)) {}
    const std::u16string& message() const noexcept { return message_; }
    const char* what() const noexcept override { return "ExceptionExit"; }

private:
    std::u16string message_;
};

}  // namespace pelorvant
