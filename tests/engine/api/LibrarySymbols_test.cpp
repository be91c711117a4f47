// The shared library exports the api_ functions and nothing else.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "tests/engine/api/ExportNames.h"

namespace {

std::set<std::string> definedDynamicSymbols(const std::string& library) {
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only --format=posix '" + library + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return names;
    }
    char line[4096];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        names.insert(text.substr(0, text.find(' ')));
    }
    pclose(pipe);
    return names;
}

TEST(LibrarySymbols, OnlyTheExportsAreVisible) {
    const std::set<std::string> symbols = definedDynamicSymbols(TRASA_LIBRARY_PATH);
    ASSERT_FALSE(symbols.empty()) << "nm found no symbols in " << TRASA_LIBRARY_PATH;
    const std::set<std::string> expected(std::begin(kExportNames), std::end(kExportNames));
    for (const std::string& s : symbols) {
        EXPECT_TRUE(expected.count(s) == 1) << "unexpected visible symbol " << s;
    }
    for (const std::string& name : expected) {
        EXPECT_TRUE(symbols.count(name) == 1) << "missing export " << name;
    }
}

}  // namespace
