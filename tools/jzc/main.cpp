// jzc: compiles a readable timetable description (JSON) into a timetable file.
//   jzc <description.json> -o <file.jz>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include <nlohmann/json.hpp>

#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/TimetableCompiler.h"

int main(int argc, char** argv) {
    std::string input, output;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-o" && i + 1 < argc) {
            output = argv[++i];
        } else if (input.empty()) {
            input = a;
        } else {
            std::cerr << "jzc: unexpected argument " << a << "\n";
            return 2;
        }
    }
    if (input.empty() || output.empty()) {
        std::cerr << "usage: jzc <description.json> -o <file.jz>\n";
        return 2;
    }
    try {
        std::ifstream in(input);
        if (!in) {
            std::cerr << "jzc: cannot open " << input << "\n";
            return 1;
        }
        nlohmann::json doc = nlohmann::json::parse(in, nullptr, true, /*ignore_comments=*/true);
        std::vector<std::uint8_t> file = jz::compileTimetable(doc);
        std::string tmp = output + ".tmp";
        {
            std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(file.data()),
                      static_cast<std::streamsize>(file.size()));
            if (!out) {
                std::cerr << "jzc: cannot write " << tmp << "\n";
                return 1;
            }
        }
        if (std::rename(tmp.c_str(), output.c_str()) != 0) {
            std::cerr << "jzc: cannot rename " << tmp << " to " << output << "\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "jzc: " << input << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
