#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
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

void createEngine(const std::string& main, const std::string& temp) {
    int32_t version = ENGINE_INTERFACE_VERSION;
    ASSERT_EQ(api_vytvorJizdniRadyGlobal(main.data(), static_cast<int32_t>(main.size()),
                                         temp.data(), static_cast<int32_t>(temp.size()), &version),
              ENGINE_OK);
}

TEST(IniExports, FailedFlushIsReportedAndKeepsTheValues) {
    // The store's folder does not exist, so nothing can be written there.
    createEngine("/nonexistent-trasa-folder/nastaveni.ini", "/nonexistent-trasa-folder/nasTemp.dat");
    ASSERT_EQ(api_IniWriteString("setup", 5, "jazyk", 5, "1", 1), ENGINE_OK);
    EXPECT_EQ(api_IniFlush(), ENGINE_ERROR);
    EXPECT_EQ(readValue("jazyk"), "1");
}

TEST(IniExports, EmptyKeyOrValueIsIgnored) {
    createEngine("/nonexistent-trasa-folder/nastaveni.ini", "");
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

// A store grown past the size the store can read back is refused with a status of its own,
// which tells the caller to remove something rather than to retry.
TEST(IniExports, AStoreTooLargeToReadBackIsRefusedWithItsOwnStatus) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("trasa-ini-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string main = (folder / "nastaveni.ini").string();
    createEngine(main, (folder / "nasTemp.dat").string());
    ASSERT_EQ(api_IniWriteString("setup", 5, "jazyk", 5, "1", 1), ENGINE_OK);
    ASSERT_EQ(api_IniFlush(), ENGINE_OK);
    const std::uintmax_t written = std::filesystem::file_size(main);

    const std::string big(ENGINE_INI_MAX_BYTES, 'x');
    ASSERT_EQ(api_IniWriteString("big", 3, "k", 1, big.data(), static_cast<int32_t>(big.size())),
              ENGINE_OK);
    EXPECT_EQ(api_IniFlush(), ENGINE_INI_TOO_LARGE);
    EXPECT_EQ(std::filesystem::file_size(main), written);
    EXPECT_EQ(readValue("jazyk"), "1");
    // Made small again, the store is written.
    ASSERT_EQ(api_IniRemoveSection("big", 3), ENGINE_OK);
    EXPECT_EQ(api_IniFlush(), ENGINE_OK);
    std::filesystem::remove_all(folder);
}

// The engine reports once, for the read in which it happened, that the main file was too large
// and was kept aside.
TEST(IniExports, AMainFileTooLargeToWriteBackIsKeptAsideAndNamed) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("trasa-ini-aside-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string main = (folder / "nastaveni.ini").string();
    {
        std::ofstream out(main, std::ios::binary);
        out << "[setup]\r\n   jazyk=1\r\n\r\n[big]\r\n   k=" << std::string(ENGINE_INI_MAX_BYTES, 'x') << "\r\n";
    }
    const auto setAside = [] {
        char* name = nullptr;
        int32_t length = -1;
        EXPECT_EQ(api_IniSetAside(&name, &length), ENGINE_OK);
        std::string text(name, static_cast<std::size_t>(length));
        std::free(name);
        return text;
    };
    createEngine(main, (folder / "nasTemp.dat").string());
    EXPECT_EQ(setAside(), (folder / "nastaveni-odlozeny.ini").string());
    EXPECT_EQ(readValue("jazyk"), "1");
    ASSERT_EQ(api_IniWriteString("setup", 5, "jazyk", 5, "0", 1), ENGINE_OK);
    EXPECT_EQ(api_IniFlush(), ENGINE_OK);
    // The next start reads a sound file.
    createEngine(main, (folder / "nasTemp.dat").string());
    EXPECT_EQ(setAside(), "");
    EXPECT_EQ(readValue("jazyk"), "0");
    std::filesystem::remove_all(folder);
}

}  // namespace
