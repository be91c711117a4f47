#pragma once
// The program's own command line: options ("--profile=NAME", "--zoom=N"), which choose how it
// shows itself and which a restart passes on, and the command words (everything else, joined
// by single spaces), which the entry compares with "restart", "allways" and "UpdateData".
#include <optional>
#include <string>
#include <vector>

namespace pelorvant {

struct ProgramArguments {
    // Every argument beginning with "--", in order.
    std::vector<std::string> options;
    std::string commandLine;
    // The whole-number zoom of the window, 1 without "--zoom=".
    int zoom = 1;
};

// The largest zoom the window takes.
inline constexpr int kMaxZoom = 8;

// Nothing when an option is malformed (a "--zoom=" that is no whole number from 1 to kMaxZoom).
std::optional<ProgramArguments> parseProgramArguments(int argc, const char* const* argv);

}  // namespace pelorvant
