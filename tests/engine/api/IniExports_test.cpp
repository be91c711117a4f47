#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/api/trasovnik.h"

namespace {

std::string readValue(const char* key) {
    char* value = nullptr;
    int32_t length = 0;
    EXPECT_EQ(api_IniReadString("setup", 5, key, static_cast<int32_t>(std::strlen(key)), "-", 1,
                                &value, &length),
              ENGINE_OK);
    std::string s(value, static_cast<std::size_t>(length));
    std::free(value);
    return s;
}

TEST(IniExports, FailedFlushIsReportedAndKeepsTheValues) {
    // The store's folder does not exist, so nothing can be written there.
    const std::string main = "/nonexistent-trasa-folder/nastaveni.ini";
    const std::string temp = "/nonexistent-trasa-folder/nasTemp.dat";
    int32_t version = ENGINE_INTERFACE_VERSION;
    ASSERT_EQ(api_vytvorJizdniRadyGlobal(main.data(), static_cast<int32_t>(main.size()),
                                         temp.data(), static_cast<int32_t>(temp.size()), &version),
              ENGINE_OK);
    ASSERT_EQ(api_IniWriteString("setup", 5, "jazyk", 5, "1", 1), ENGINE_OK);
    EXPECT_EQ(api_IniFlush(), ENGINE_ERROR);
    EXPECT_EQ(readValue("jazyk"), "1");
}

TEST(IniExports, EmptyKeyOrValueIsIgnored) {
    int32_t version = ENGINE_INTERFACE_VERSION;
    const std::string main = "/nonexistent-trasa-folder/nastaveni.ini";
    ASSERT_EQ(
        api_vytvorJizdniRadyGlobal(main.data(), static_cast<int32_t>(main.size()), "", 0, &version),
        ENGINE_OK);
    ASSERT_EQ(api_IniWriteString("setup", 5, "k", 1, "", 0), ENGINE_OK);
    ASSERT_EQ(api_IniWriteString("setup", 5, "", 0, "v", 1), ENGINE_OK);
    EXPECT_EQ(readValue("k"), "-");
    ASSERT_EQ(api_IniWriteInt("setup", 5, "n", 1, -40), ENGINE_OK);
    int32_t n = 0;
    ASSERT_EQ(api_IniReadInt("setup", 5, "n", 1, 3, &n), ENGINE_OK);
    EXPECT_EQ(n, -40);
    ASSERT_EQ(api_IniReadInt("setup", 5, "missing", 7, 3, &n), ENGINE_OK);
    EXPECT_EQ(n, 3);
}

}  // namespace
