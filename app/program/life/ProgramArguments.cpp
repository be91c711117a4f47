#include "app/program/life/ProgramArguments.h"

#include <charconv>
#include <string_view>

namespace pelorvant {

std::optional<ProgramArguments> parseProgramArguments(int argc, const char* const* argv) {
    constexpr std::string_view kZoom = "--zoom=";
    ProgramArguments arguments;
    int words = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] != nullptr ? argv[i] : "";
        if (!arg.starts_with("--")) {
            if (words++ > 0)
                arguments.commandLine += ' ';
            arguments.commandLine += arg;
            continue;
        }
        arguments.options.emplace_back(arg);
        if (arg.starts_with(kZoom)) {
            const std::string_view number = arg.substr(kZoom.size());
            int zoom = 0;
            const auto [end, error] =
                std::from_chars(number.data(), number.data() + number.size(), zoom);
            if (error != std::errc() || end != number.data() + number.size() || zoom < 1 ||
                zoom > kMaxZoom) {
                return std::nullopt;
            }
            arguments.zoom = zoom;
        }
    }
    return arguments;
}

}  // namespace pelorvant
