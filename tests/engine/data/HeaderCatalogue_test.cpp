#include "engine/data/HeaderCatalogue.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/engine/data/SectionFixture.h"

namespace trasovnik {
namespace {

using nlohmann::json;
using testing::engineCodeOf;

// The bytes of a file holding just a header.
std::vector<std::uint8_t> headerFile(const json& header) {
    json doc = {{"version", "4.0"}, {"header", header}};
    jz::CompileContext ctx{doc};
    jz::indexSourceObjects(ctx);
    jz::ContentWriter out;
    jz::compileHeader(ctx, out);
    jz::ContainerOptions options;
    options.plainBlocks = {9};
    return jz::writeContainer(out, options);
}

json header(const std::string& title, int identifier, int sortKey, const std::string& second) {
    return {{"title", title},
            {"kind", "BUS"},
            {"identifier", identifier},
            {"sortKey", sortKey},
            {"texts", {"", second, ""}}};
}

class HeaderCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "catalogueXXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string writeHeader(const std::string& name, const json& h) {
        return write(name, headerFile(h));
    }

    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < catalogue_.size(); ++i) {
            out.push_back(catalogue_.getHeader(i).title);
        }
        return out;
    }

    std::filesystem::path dir_;
    cKatalogHlavicek catalogue_;
};

TEST_F(HeaderCatalogueTest, SameFileListedTwiceGivesOneFoundEntry) {
    std::string a = writeHeader("a.jz", header("Alfa", 1, 0, ""));
    EXPECT_EQ(catalogue_.nactiHlavicky({a, a}), 1u);
    EXPECT_EQ(catalogue_.getFlag(0), 1);
    EXPECT_EQ(catalogue_.getHeader(0).fileName, a);
}

TEST_F(HeaderCatalogueTest, SameTimetableIsTitleIgnoringCaseAndIdentifier) {
    std::string a = writeHeader("a.jz", header("Alfa", 1, 0, ""));
    std::string b = writeHeader("b.jz", header("ALFA", 1, 0, ""));
    std::string c = writeHeader("c.jz", header("Alfa", 2, 0, ""));
    ASSERT_EQ(catalogue_.nactiHlavicky({a, b, c}), 2u);
    EXPECT_EQ(catalogue_.getHeader(0).fileName, a);
    EXPECT_EQ(catalogue_.getHeader(1).fileName, c);
}

TEST_F(HeaderCatalogueTest, SortedBySortKeyThenSecondTextStably) {
    std::vector<std::string> paths = {
        writeHeader("1.jz", header("D", 1, 2, "Dobris")),
        writeHeader("2.jz", header("C2", 2, 2, "\xc4\x8c\xc3\xa1slav")),  // Čáslav
        writeHeader("3.jz", header("C1", 3, 2, "Cheb")),
        writeHeader("4.jz", header("K", 4, 1, "Zlin")),
        writeHeader("5.jz", header("E1", 5, 2, "cheb")),
    };
    catalogue_.nactiHlavicky(paths);
    // Č sorts after every C and before D; equal texts keep the listing order.
    EXPECT_EQ(titles(), (std::vector<std::string>{"K", "C1", "E1", "C2", "D"}));
}

TEST_F(HeaderCatalogueTest, UnreadableFilesAreLeftOut) {
    std::vector<std::uint8_t> good = headerFile(header("Alfa", 1, 0, ""));
    std::vector<std::uint8_t> badMagic = good;
    badMagic[3] ^= 0x01;
    std::vector<std::uint8_t> truncated(good.begin(), good.end() - 20);
    std::vector<std::string> paths = {
        (dir_ / "missing.jz").string(),
        write("short.jz", std::vector<std::uint8_t>(good.begin(), good.begin() + 11)),
        write("magic.jz", badMagic),
        write("truncated.jz", truncated),
        write("good.jz", good),
    };
    ASSERT_EQ(catalogue_.nactiHlavicky(paths), 1u);
    EXPECT_EQ(catalogue_.getHeader(0).fileName, paths.back());
}

TEST_F(HeaderCatalogueTest, OpenFileReturnsNoneOnlyForTheCaughtFailures) {
    std::vector<std::uint8_t> good = headerFile(header("Alfa", 1, 0, ""));
    std::vector<std::uint8_t> badMagic = good;
    badMagic[0] = 0;
    EXPECT_EQ(cKatalogHlavicek::openFile((dir_ / "missing.jz").string()), nullptr);
    EXPECT_EQ(cKatalogHlavicek::openFile(write("s.jz", {1, 2, 3})), nullptr);
    EXPECT_EQ(cKatalogHlavicek::openFile(write("m.jz", badMagic)), nullptr);
    auto reader = cKatalogHlavicek::openFile(write("g.jz", good));
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->majorVersion(), 4);
}

TEST_F(HeaderCatalogueTest, EntryInUseKeepsItsHeaderAcrossRescans) {
    std::string old = writeHeader("old.jz", header("Alfa", 1, 0, "stary"));
    std::string other = writeHeader("other.jz", header("Beta", 2, 1, ""));
    ASSERT_EQ(catalogue_.nactiHlavicky({old, other}), 2u);
    catalogue_.entry(0).useCount = 1;

    std::string newer = writeHeader("new.jz", header("Alfa", 1, 0, "novy"));
    ASSERT_EQ(catalogue_.nactiHlavicky({newer}), 1u);
    EXPECT_EQ(catalogue_.getHeader(0).fileName, old);
    EXPECT_EQ(catalogue_.getHeader(0).secondText, "stary");
    EXPECT_EQ(catalogue_.getFlag(0), 1);

    // Kept but not listed: still there, not found.
    ASSERT_EQ(catalogue_.nactiHlavicky({other}), 2u);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Alfa", "Beta"}));
    EXPECT_EQ(catalogue_.getFlag(0), 0);
    EXPECT_EQ(catalogue_.getFlag(1), 1);

    // Once no set uses it, the newer file takes its place.
    catalogue_.entry(0).useCount = 0;
    ASSERT_EQ(catalogue_.nactiHlavicky({newer}), 1u);
    EXPECT_EQ(catalogue_.getHeader(0).fileName, newer);
}

TEST_F(HeaderCatalogueTest, IndexOutOfRange) {
    catalogue_.nactiHlavicky({writeHeader("a.jz", header("Alfa", 1, 0, ""))});
    EXPECT_EQ(engineCodeOf([&] { catalogue_.getHeader(1); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(engineCodeOf([&] { catalogue_.getFlag(1); }), ENGINE_EXC_INDEX);
    EXPECT_EQ(engineCodeOf([&] { catalogue_.getFlag(static_cast<std::size_t>(-1)); }),
              ENGINE_EXC_INDEX);
}

}  // namespace
}  // namespace trasovnik
