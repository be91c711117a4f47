// uidrive: the program's whole user interface, headless, driven by a script.
//
//   uidrive [--profile=NAME] [--data=DIR] [--config=DIR] [--fixtures=DIR] [--sources=DIR]... [--shots=DIR]
//           [--golden=DIR] SCRIPT
#include "tools/uidrive/ScriptRunner.h"

#include "app/core/FileUtils.h"

#include <fstream>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    uidrive::DriveOptions options;
    options.programFolder = pelorvant::getProgramFolder();
    std::string script;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        const auto value = [&](std::string_view name) { return std::string(a.substr(name.size())); };
        if (a.starts_with("--profile=")) {
            options.profile = value("--profile=");
        } else if (a.starts_with("--data=")) {
            options.dataFolder = value("--data=");
        } else if (a.starts_with("--config=")) {
            options.configHome = value("--config=");
        } else if (a.starts_with("--fixtures=")) {
            options.fixtures = value("--fixtures=");
        } else if (a.starts_with("--golden=")) {
            options.goldens = value("--golden=");
        } else if (a.starts_with("--sources=")) {
            options.timetableSources.emplace_back(value("--sources="));
        } else if (a.starts_with("--shots=")) {
            options.shots = value("--shots=");
        } else {
            script = std::string(a);
        }
    }
    std::ifstream in(script);
    if (script.empty() || !in) {
        std::cerr << "usage: uidrive [--profile=NAME] [--data=DIR] [--config=DIR] [--fixtures=DIR] [--shots=DIR] "
                     "SCRIPT\n";
        return 2;
    }
    uidrive::ScriptRunner runner(options);
    return runner.run(in, script, std::cout, std::cerr);
}
