#pragma once
// What the shell's building blocks throw when their input or their resources are faulty: a
// text such as "No image loaded Exception" or "ImageLabel wrong text Exception". Start-up
// ends on one; later, the caller that passed the faulty text decides.

#include <stdexcept>
#include <string>

namespace pelorvant {

class ShellException : public std::runtime_error {
public:
    explicit ShellException(const std::string& text) : std::runtime_error(text) {}
};

inline constexpr const char* kNoImageLoaded = "No image loaded Exception";

}  // namespace pelorvant
