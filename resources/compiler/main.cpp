// The resource compiler: turns the string table, the menu sources and the PNG images into one
// C++ source that the program links (see platform/resources/ResourceData.h).
//
//   rescomp -o <out.cpp> [--strings <file>]... [--menus <file>]... [--image <id>:<name>:<png>]...

#include "resources/compiler/GeneratedSource.h"
#include "resources/compiler/ResourceError.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    out = ss.str();
    return true;
}

bool validImageName(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    for (char c : name) {
        bool ok =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) {
            return false;
        }
    }
    return true;
}

int usage() {
    std::cerr << "usage: rescomp -o <out.cpp> [--strings <file>]... [--menus <file>]... "
                 "[--image <id>:<name>:<png>]...\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string output;
    rescomp::StringTable strings;
    std::vector<rescomp::MenuResource> menus;
    std::vector<rescomp::ImageInput> images;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc) {
            return usage();
        }
        std::string value = argv[++i];
        if (arg == "-o") {
            output = value;
            continue;
        }
        if (arg == "--image") {
            std::size_t a = value.find(':');
            std::size_t b = a == std::string::npos ? a : value.find(':', a + 1);
            if (b == std::string::npos) {
                return usage();
            }
            rescomp::ImageInput image;
            unsigned long id = std::strtoul(value.substr(0, a).c_str(), nullptr, 10);
            image.name = value.substr(a + 1, b - a - 1);
            if (id == 0 || id > 0xFFFF || !validImageName(image.name)) {
                std::cerr << "rescomp: bad image argument " << value << "\n";
                return 1;
            }
            image.id = static_cast<std::uint16_t>(id);
            if (!readFile(value.substr(b + 1), image.png)) {
                std::cerr << "rescomp: cannot read " << value.substr(b + 1) << "\n";
                return 1;
            }
            images.push_back(std::move(image));
            continue;
        }
        if (arg != "--strings" && arg != "--menus") {
            return usage();
        }
        std::string source;
        if (!readFile(value, source)) {
            std::cerr << "rescomp: cannot read " << value << "\n";
            return 1;
        }
        try {
            if (arg == "--strings") {
                for (auto& [id, text] : rescomp::parseStringTable(source)) {
                    if (!strings.emplace(id, text).second) {
                        throw rescomp::ResourceError(
                            0, "string id " + std::to_string(id) + " is defined in two files");
                    }
                }
            } else {
                for (auto& menu : rescomp::parseMenus(source)) {
                    menus.push_back(std::move(menu));
                }
            }
        } catch (const rescomp::ResourceError& e) {
            std::cerr << value << ": " << e.what() << "\n";
            return 1;
        }
    }
    if (output.empty()) {
        return usage();
    }
    std::ostringstream generated;
    try {
        rescomp::writeResourceSource(generated, strings, menus, images);
    } catch (const std::exception& e) {
        std::cerr << "rescomp: " << e.what() << "\n";
        return 1;
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << generated.str();
    out.close();
    if (!out) {
        std::cerr << "rescomp: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}
