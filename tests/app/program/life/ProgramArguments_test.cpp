#include "app/program/life/ProgramArguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace pelorvant {
namespace {

std::optional<ProgramArguments> parse(std::vector<const char*> args) {
    args.insert(args.begin(), "pelorvant");
    return parseProgramArguments(static_cast<int>(args.size()), args.data());
}

TEST(ProgramArguments, OptionsAreKeptApartFromTheCommandWords) {
    const std::optional<ProgramArguments> a = parse({"--profile=480x640", "restart", "--zoom=2"});
    ASSERT_TRUE(a);
    EXPECT_EQ(a->commandLine, "restart") << "a restart with options is still a restart";
    EXPECT_EQ(a->options, (std::vector<std::string>{"--profile=480x640", "--zoom=2"}));
    EXPECT_EQ(a->zoom, 2);
}

TEST(ProgramArguments, TheCommandWordsJoinAsTheyCame) {
    for (const auto& [args, line] : std::vector<std::pair<std::vector<const char*>, std::string>>{
             {{}, ""},
             {{"UpdateData"}, "UpdateData"},
             {{"restart", "allways"}, "restart allways"},
             {{"", "restart"}, " restart"}}) {
        const std::optional<ProgramArguments> a = parse(args);
        ASSERT_TRUE(a);
        EXPECT_EQ(a->commandLine, line);
        EXPECT_TRUE(a->options.empty());
        EXPECT_EQ(a->zoom, 1);
    }
}

TEST(ProgramArguments, AZoomMustBeAWholeNumberTheWindowTakes) {
    EXPECT_EQ(parse({"--zoom=8"})->zoom, 8);
    for (const char* wrong :
         {"--zoom=0", "--zoom=9", "--zoom=2x", "--zoom=", "--zoom=-1", "--zoom=1.5"}) {
        EXPECT_FALSE(parse({wrong})) << wrong;
    }
}

}  // namespace
}  // namespace pelorvant
