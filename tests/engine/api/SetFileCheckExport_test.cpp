#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/engine/api/ApiFixture.h"

namespace trasovnik::testing {
namespace {

namespace fs = std::filesystem;

std::vector<char> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FileCheckExport : public ApiFixture {
protected:
    void TearDown() override {
        std::error_code ec;
        fs::remove(candidate_, ec);
    }

    // The status the check gives for a file of these bytes.
    int32_t check(const std::vector<char>& bytes) {
        std::ofstream(candidate_, std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return checkPath(candidate_);
    }
    static int32_t checkPath(const std::string& path) {
        int32_t status = 99;
        EXPECT_EQ(
            api_zkontrolujJizdniRad(path.data(), static_cast<int32_t>(path.size()), &status, 0),
            ENGINE_OK);
        return status;
    }

    std::string candidate_ =
        (fs::temp_directory_path() / ("trasa-check-" + std::to_string(::getpid()) + ".jz"))
            .string();
};

TEST_F(FileCheckExport, AcceptsASoundFile) {
    EXPECT_EQ(check(readAll(fixturePath("city_v40.jz"))), 0);
    EXPECT_EQ(check(readAll(fixturePath("regional_v33.jz"))), 0);
}

// The damage a broken download leaves: each kind is refused as a damaged file.
TEST_F(FileCheckExport, RefusesEveryKindOfDamagedFile) {
    const std::vector<char> good = readAll(fixturePath("regional_v33.jz"));
    ASSERT_GT(good.size(), 200u);
    std::vector<char> noisy = good;
    std::mt19937 random(7);
    for (std::size_t i = 16; i < noisy.size(); ++i)
        noisy[i] = static_cast<char>(random());
    std::vector<char> flipped = good;
    flipped[good.size() / 2] = static_cast<char>(flipped[good.size() / 2] ^ 0x5A);
    const struct {
        const char* what;
        std::vector<char> bytes;
    } cases[] = {
        {"cut to half",
         {good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2)}},
        {"cut to 64 bytes", {good.begin(), good.begin() + 64}},
        {"random after 16 bytes", noisy},
        {"empty", {}},
        {"HTML",
         {'<', 'h', 't', 'm', 'l', '>', 'e', 'r', 'r', 'o', 'r', '<', '/', 'h', 't', 'm', 'l',
          '>'}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(check(c.bytes), ENGINE_LOAD_DAMAGED);
    }
    EXPECT_EQ(checkPath("/nonexistent/none.jz"), ENGINE_LOAD_DAMAGED);
}

// The check leaves the catalogue and the loaded sets as they were: a set keeps its files and
// the catalogue still has its two entries.
TEST_F(FileCheckExport, LeavesTheCatalogueAndSetsAlone) {
    const int32_t set = loadSet({kRegionalTitle});
    ASSERT_EQ(check(readAll(fixturePath("regional_v33.jz"))), 0);
    int32_t* indexes = nullptr;
    int32_t count = 0;
    ASSERT_EQ(api_GetIndexyHlavicekSestavy(set, &indexes, &count), ENGINE_OK);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(indexes[0], catalogueIndex(kRegionalTitle));
    std::free(indexes);
    EXPECT_EQ(catalogueIndex(kCityTitle), 1 - catalogueIndex(kRegionalTitle));
}

// Flipped bits anywhere in a timetable (a worn storage card): loading it as a set never fails
// the export as an engine failure would; the file is loaded or refused with a status, and the
// check gives the same verdict.
TEST_F(FileCheckExport, FlippedBitsAreTheFilesFaultNeverTheEngines) {
    const std::vector<char> good = readAll(fixturePath("regional_v33.jz"));
    // No set of an earlier test may hold the sound file: the catalogue would take the damaged
    // copy for it.
    for (int32_t set = 0; set < 64; ++set)
        api_zrusSestavuJizdnichRadu(set);
    std::mt19937 random(2320);
    int refused = 0;
    for (int variant = 0; variant < 300; ++variant) {
        std::vector<char> bytes = good;
        for (int bit = 0; bit < 4; ++bit) {
            const std::size_t at = random() % bytes.size();
            bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8)));
        }
        SCOPED_TRACE(variant);
        const int32_t checked = check(bytes);
        const char* path = candidate_.c_str();
        const int32_t length = static_cast<int32_t>(candidate_.size());
        int32_t entries = 0;
        ASSERT_EQ(api_nactiHlavicky(&path, &length, 1, &entries), ENGINE_OK);
        int32_t index = -1;
        for (int32_t i = 0; i < entries; ++i) {
            if (entryTexts(i).fileName == candidate_) index = i;
        }
        if (index < 0) {
            // The header itself was refused: the file is no timetable to list.
            EXPECT_NE(checked, 0);
            ++refused;
            continue;
        }
        int32_t set = 99;
        int32_t failing = 99;
        ASSERT_EQ(api_nactiSestavuJizdnichRadu(&index, 1, &set, &failing, 0), ENGINE_OK);
        if (set >= 0) {
            EXPECT_EQ(checked, 0);
            EXPECT_EQ(api_zrusSestavuJizdnichRadu(set), ENGINE_OK);
        } else {
            EXPECT_EQ(set, checked);
            EXPECT_EQ(failing, index);
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

TEST_F(FileCheckExport, BadArgumentsFail) {
    int32_t status = 0;
    EXPECT_EQ(api_zkontrolujJizdniRad(nullptr, 4, &status, 0), ENGINE_ERROR);
    EXPECT_EQ(api_zkontrolujJizdniRad("a.jz", 4, nullptr, 0), ENGINE_ERROR);
}

}  // namespace
}  // namespace trasovnik::testing
