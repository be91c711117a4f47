#pragma once
// The words the program understands on its command line; the whole command line (its words
// joined by spaces) is compared with each, exactly.
#include <string>
#include <string_view>

namespace pelorvant {

// Started by a restart of the program: wait until the old instance is gone.
inline constexpr std::string_view kRestartWord = "restart";
// Started by the updater to check for updates; the spelling is the one the updater uses.
inline constexpr std::string_view kAllwaysWord = "allways";
// Started by the updater while the program may run: hand the update check over to it.
inline constexpr std::string_view kUpdateDataWord = "UpdateData";

// The command line of argv: the words after the program's name joined by single spaces.
inline std::string commandLineOf(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

}  // namespace pelorvant
