// The digest check of a received file against the value the update information gives.
#include "app/core/FileDigest.h"

#include "CoreTestSupport.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

namespace fs = std::filesystem;

// Published SHA-256 values: of "abc", of nothing, and of a million "a" (more than one block read).
constexpr const char* kAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
constexpr const char* kEmpty = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
constexpr const char* kMillionA = "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0";

TEST(FileDigest, KnownValues) {
    testing::TempFolder folder;
    const struct {
        std::string bytes;
        const char* sha256;
    } cases[] = {{"abc", kAbc}, {"", kEmpty}, {std::string(1000000, 'a'), kMillionA}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sha256);
        const fs::path file = folder.path() / "file";
        testing::writeFile(file, c.bytes);
        const std::optional<Sha256> digest = sha256OfFile(file);
        ASSERT_TRUE(digest.has_value());
        EXPECT_EQ(sha256Hex(*digest), c.sha256);
    }
}

TEST(FileDigest, VerdictOnAReceivedFile) {
    testing::TempFolder folder;
    const fs::path abc = folder.path() / "abc.jz";
    testing::writeFile(abc, "abc");
    const fs::path flipped = folder.path() / "flipped.jz";
    testing::writeFile(flipped, "abb");  // one bit of the last byte differs
    const std::string upper = "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD";
    const std::string digest = kAbc;
    const struct {
        const char* what;
        fs::path file;
        std::string expected;
        DigestVerdict verdict;
    } cases[] = {
        {"match", abc, digest, DigestVerdict::Match},
        {"match in upper case", abc, upper, DigestVerdict::Match},
        {"one bit flipped", flipped, digest, DigestVerdict::Mismatch},
        {"another file's digest", abc, kEmpty, DigestVerdict::Mismatch},
        {"no digest given", flipped, "", DigestVerdict::NoDigest},
        {"one digit short", abc, digest.substr(1), DigestVerdict::Malformed},
        {"one digit more", abc, digest + "a", DigestVerdict::Malformed},
        {"a letter that is no digit", abc, "g" + digest.substr(1), DigestVerdict::Malformed},
        {"a blank inside", abc, digest.substr(0, 30) + " " + digest.substr(31), DigestVerdict::Malformed},
        {"with a 0x prefix", abc, "0x" + digest.substr(2), DigestVerdict::Malformed},
        {"another algorithm's length", abc, digest.substr(0, 40), DigestVerdict::Malformed},
        {"a malformed digest of a missing file", folder.path() / "missing.jz", "zz", DigestVerdict::Malformed},
        {"missing file", folder.path() / "missing.jz", digest, DigestVerdict::Unreadable},
        {"a folder", folder.path(), digest, DigestVerdict::Unreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(verifyFileDigest(c.file, c.expected), c.verdict);
    }
}

}  // namespace
}  // namespace pelorvant
