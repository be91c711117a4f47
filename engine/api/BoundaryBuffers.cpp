#include "engine/api/BoundaryBuffers.h"

namespace trasovnik::api {

CBuffer<char> copyText(std::string_view text) {
    CBuffer<char> buffer = allocateArray<char>(text.size());
    if (!text.empty()) {
        std::memcpy(buffer.get(), text.data(), text.size());
    }
    return buffer;
}

std::string_view textArgument(const char* text, std::int32_t length) {
    if (length < 0 || (length > 0 && text == nullptr)) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    return length == 0 ? std::string_view()
                       : std::string_view(text, static_cast<std::size_t>(length));
}

std::size_t indexArgument(std::int32_t index) {
    if (index < 0) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return static_cast<std::size_t>(index);
}

void handText(std::string_view source, char** text, std::int32_t* length) {
    auto& outText = out(text);
    auto& outLength = out(length);
    CBuffer<char> buffer = copyText(source);
    outLength = static_cast<std::int32_t>(source.size());
    outText = buffer.release();
}

}  // namespace trasovnik::api
