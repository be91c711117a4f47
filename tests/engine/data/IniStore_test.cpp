#include "engine/data/IniStore.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace trasovnik {
namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        std::string templ = (fs::temp_directory_path() / "inistore-XXXXXX").string();
        path_ = mkdtemp(templ.data());
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (fs::path(path_) / name).string(); }

private:
    std::string path_;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void spit(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The real file system with faults on demand: each counter makes that many of the next calls
// fail (a failing write leaves half the bytes behind, as a full disk would), and a corrupted
// read returns the file with one byte changed.
class FaultyFileSystem final : public IniFileSystem {
public:
    int failWrites = 0;
    int corruptTempReads = 0;
    int failCopies = 0;
    int corruptMainReads = 0;
    bool failRemove = false;
    int writeCalls = 0;
    int copyCalls = 0;
    std::string tempPath;

    bool writeFile(const std::string& path, std::string_view bytes) override {
        ++writeCalls;
        if (failWrites > 0) {
            --failWrites;
            real_.writeFile(path, bytes.substr(0, bytes.size() / 2));
            return false;
        }
        return real_.writeFile(path, bytes);
    }
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override {
        auto bytes = real_.readFile(path, maxBytes);
        int& corrupt = path == tempPath ? corruptTempReads : corruptMainReads;
        if (bytes && !bytes->empty() && corrupt > 0) {
            --corrupt;
            // Change the last byte of the first value.
            const auto eol = bytes->find("\r\n", bytes->find('='));
            (*bytes)[eol - 1] ^= 0x01;
        }
        return bytes;
    }
    bool copyFile(const std::string& source, const std::string& target) override {
        ++copyCalls;
        if (failCopies > 0) {
            --failCopies;
            return false;
        }
        return real_.copyFile(source, target);
    }
    bool removeFile(const std::string& path) override {
        return failRemove ? false : real_.removeFile(path);
    }
    bool keepAside(const std::string& source, const std::string& target) override {
        ++keepAsideCalls;
        return failKeepAside ? false : real_.keepAside(source, target);
    }
    bool failKeepAside = false;
    int keepAsideCalls = 0;

private:
    IniFileSystem& real_ = realIniFileSystem();
};

class IniStoreTest : public ::testing::Test {
protected:
    TempFolder dir;
    std::string mainPath = dir.file("nastaveni.ini");
    std::string tempPath = dir.file("nasTemp.dat");
    FaultyFileSystem faulty;

    IniStoreTest() { faulty.tempPath = tempPath; }
    IniStore storeOver(const std::string& text) {
        spit(mainPath, text);
        return IniStore(mainPath, tempPath, faulty);
    }
};

// ---- Reading the file -------------------------------------------------------------------

struct ReadCase {
    const char* name;
    std::string text;
    const char* section;
    const char* key;
    std::optional<std::string> expected;  // nothing: the key is missing
};

TEST_F(IniStoreTest, ReadsTheLinesOfAFile) {
    const std::string big(3000, 'x');
    const ReadCase cases[] = {
        {"plain", "[setup]\r\n   font=12\r\n\r\n", "setup", "font", "12"},
        {"section in other case", "[SeTuP]\r\nfont=12\r\n", "SETUP", "Font", "12"},
        {"Czech capitals lowercase",
         "[\x8E"
         "ELEZNICE]\r\nKL\xCD\xC8=v\r\n",
         "\x9E"
         "eleznice",
         "kl\xED\xE8", "v"},
        {"value trimmed", "[setup]\r\n \tfont \t=  12 \t\r\n", "setup", "font", "12"},
        {"value keeps inner spaces and =", "[ab]\r\nk= a = b \r\n", "ab", "k", "a = b"},
        {"key and = only ignored", "[setup]\r\nfont=\r\n", "setup", "font", std::nullopt},
        {"value only ignored", "[setup]\r\n=12\r\n", "setup", "", std::nullopt},
        {"line without = ignored", "[setup]\r\nfont\r\nx=1\r\n", "setup", "font", std::nullopt},
        {"one-letter header is no section", "[ab]\r\n[c]\r\nk=1\r\n", "ab", "k", "1"},
        {"one-letter header finds nothing", "[c]\r\nk=1\r\n", "c", "k", std::nullopt},
        {"key before any section ignored", "k=1\r\n[ab]\r\n", "ab", "k", std::nullopt},
        {"later value wins", "[ab]\r\nk=1\r\n[ab]\r\nk=2\r\n", "ab", "k", "2"},
        {"LF-only line ends", "[ab]\nk=1\nm=2\n", "ab", "m", "2"},
        {"lone CR line ends", "[ab]\rk=1\rm=2\r", "ab", "m", "2"},
        {"no final line end", "[ab]\r\nk=1\r\nm=2", "ab", "m", "2"},
        {"CR not followed by LF keeps next byte", "[ab]\rm=2", "ab", "m", "2"},
        {"long line kept whole", "[ab]\r\nk=" + big + "\r\n", "ab", "k", big},
        {"binary bytes", std::string("[ab]\r\n\x01\xff=\0\x7f", 11) + "\r\n", "ab", "\x01\xff",
         std::string("\0\x7f", 2)},
        {"empty file", "", "ab", "k", std::nullopt},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const IniStore store = storeOver(c.text);
        const std::string got = store.readString(c.section, c.key, "<none>");
        EXPECT_EQ(got, c.expected.value_or("<none>"));
        EXPECT_FALSE(store.dirty());
    }
}

TEST_F(IniStoreTest, SectionWithoutKeysDisappears) {
    const IniStore store = storeOver("[empty]\r\n\r\n[full]\r\nk=1\r\n");
    EXPECT_TRUE(store.readSection("empty").empty());
    ASSERT_EQ(store.readSection("full").size(), 1u);
}

TEST_F(IniStoreTest, ReadSectionKeepsFileOrder) {
    const IniStore store = storeOver("[ab]\r\nZeta=1\r\nalpha=2\r\nMid=3\r\n");
    const std::vector<IniKey> expected = {{"zeta", "1"}, {"alpha", "2"}, {"mid", "3"}};
    EXPECT_EQ(store.readSection("AB"), expected);
    EXPECT_TRUE(store.readSection("missing").empty());
}

TEST_F(IniStoreTest, MissingFileGivesEmptyStore) {
    IniStore store(mainPath, tempPath, faulty);
    EXPECT_EQ(store.readString("setup", "font", "dflt"), "dflt");
    EXPECT_EQ(store.readInt("setup", "font", 7), 7);
}

// Whatever the store reads it can write back: a file just below the limit loses nothing.
TEST_F(IniStoreTest, FileBelowTheLimitIsReadInFullAndFlushesBack) {
    std::string text = "[ab]\r\n";
    for (int i = 0; text.size() <= IniStore::kMaxTextBytes - 1000; ++i) {
        text += "   key" + std::to_string(i) + "=value\r\n";
    }
    text += "   last=here\r\n\r\n";
    ASSERT_GT(text.size(), 65535u);
    IniStore store = storeOver(text);
    EXPECT_EQ(store.readString("ab", "key0", ""), "value");
    EXPECT_EQ(store.readString("ab", "last", ""), "here");
    store.writeString("ab", "last", "there");
    ASSERT_FALSE(store.tooLarge());
    ASSERT_TRUE(store.flush());
    IniStore again(mainPath, tempPath, faulty);
    EXPECT_EQ(again.readString("ab", "key0", ""), "value");
    EXPECT_EQ(again.readString("ab", "last", ""), "there");
}

TEST_F(IniStoreTest, ReadingStopsAtTheReadLimitOnALineBoundary) {
    std::string text = "[ab]\r\nfirst=1\r\npad=";
    text += std::string(IniStore::kMaxTextBytes - text.size() - 20, 'p');
    text += "\r\ncut=1234567890123456789\r\nafter=1\r\n";
    ASSERT_GT(text.size(), IniStore::kMaxTextBytes);
    const IniStore store = storeOver(text);
    EXPECT_EQ(store.readString("ab", "first", ""), "1");
    // The line across the limit is dropped rather than kept half.
    EXPECT_EQ(store.readString("ab", "cut", "none"), "none");
    EXPECT_EQ(store.readString("ab", "after", "none"), "none");
}

// ---- A main file too large to be written back ---------------------------------------------

// A settings file past the size limit: its first part holds the program's settings and some
// favourites, then a section grown far beyond anything the program writes.
std::string oversizedSettings() {
    std::string text = "[setup]\r\n   language=1\r\n   fontHeight=14\r\n\r\n[city-oblibene]\r\n   delimiter=$\r\n";
    text += "   Muzeum$Zast\xE1vka=0\r\n\r\n[junk]\r\n";
    for (int i = 0; text.size() <= IniStore::kMaxTextBytes + 4096; ++i) {
        text += "k" + std::to_string(i) + "=" + std::string(40, 'v') + "\n";
    }
    return text;
}

TEST_F(IniStoreTest, AnOversizedFileIsKeptAsideAndTheStoreGoesOnWithWhatFitsOfIt) {
    const std::string original = oversizedSettings();
    IniStore store = storeOver(original);
    const std::string aside = dir.file("nastaveni-odlozeny.ini");
    EXPECT_EQ(store.setAside(), aside);
    EXPECT_EQ(slurp(aside), original) << "kept whole";
    // The leading settings are kept, the junk only as far as half the limit.
    EXPECT_EQ(store.readString("setup", "language", "-"), "1");
    EXPECT_EQ(store.readInt("setup", "fontheight", 0), 14);
    EXPECT_EQ(store.readString("city-oblibene", "muzeum$zast\xE1vka", "-"), "0");
    EXPECT_EQ(store.readString("junk", "k0", "-"), std::string(40, 'v'));
    EXPECT_EQ(store.readString("junk", "k20000", "-"), "-");
    // Already written back: the main file is sound and the store's own.
    EXPECT_FALSE(store.dirty());
    const std::string written = slurp(mainPath);
    EXPECT_LE(written.size(), IniStore::kMaxKeptBytes);
    EXPECT_GT(written.size(), IniStore::kMaxKeptBytes - 100) << "as much as fits";
    // And changes are saved again.
    ASSERT_TRUE(store.writeString("setup", "language", "0"));
    EXPECT_TRUE(store.flush());
    IniStore next(mainPath, tempPath, faulty);
    EXPECT_EQ(next.readString("setup", "language", "-"), "0");
    EXPECT_EQ(next.setAside(), "") << "nothing more to keep aside";
    EXPECT_EQ(slurp(aside), original);
}

TEST_F(IniStoreTest, AKeptAsideFileIsNeverReplaced) {
    const std::string earlier = "an earlier one";
    spit(dir.file("nastaveni-odlozeny.ini"), earlier);
    const std::string original = oversizedSettings();
    const IniStore store = storeOver(original);
    EXPECT_EQ(store.setAside(), dir.file("nastaveni-odlozeny-2.ini"));
    EXPECT_EQ(slurp(dir.file("nastaveni-odlozeny.ini")), earlier);
    EXPECT_EQ(slurp(dir.file("nastaveni-odlozeny-2.ini")), original);
}

TEST_F(IniStoreTest, AnOversizedFileThatCannotBeKeptAsideIsNotReplaced) {
    const std::string original = oversizedSettings();
    faulty.failKeepAside = true;
    IniStore store = storeOver(original);
    EXPECT_EQ(store.setAside(), "");
    EXPECT_EQ(store.readString("setup", "language", "-"), "1");
    ASSERT_TRUE(store.writeString("setup", "language", "0"));
    EXPECT_FALSE(store.flush());
    EXPECT_TRUE(store.dirty());
    EXPECT_EQ(slurp(mainPath), original);
    // Once it can be kept aside, the next flush saves.
    faulty.failKeepAside = false;
    EXPECT_TRUE(store.flush());
    EXPECT_EQ(store.setAside(), dir.file("nastaveni-odlozeny.ini"));
    EXPECT_EQ(slurp(dir.file("nastaveni-odlozeny.ini")), original);
    EXPECT_EQ(IniStore(mainPath, tempPath, faulty).readString("setup", "language", "-"), "0");
}

TEST_F(IniStoreTest, AFileAtTheLimitIsNoOversizedFile) {
    std::string text = "[ab]\r\n   k=";
    text += std::string(IniStore::kMaxTextBytes - text.size() - 4, 'v') + "\r\n\r\n";
    ASSERT_EQ(text.size(), IniStore::kMaxTextBytes);
    const IniStore store = storeOver(text);
    EXPECT_EQ(store.setAside(), "");
    EXPECT_EQ(faulty.keepAsideCalls, 0);
    EXPECT_FALSE(store.dirty());
    EXPECT_EQ(slurp(mainPath), text);
}

// ---- Values -------------------------------------------------------------------------------

TEST_F(IniStoreTest, ReadIntAndReadBool) {
    struct Case {
        const char* value;
        int asInt;
        bool asBoolDefaultTrue;
        bool asBoolDefaultFalse;
    };
    const Case cases[] = {
        {"12", 12, true, false},
        {"  -7", -7, true, false},
        {"+3", 3, true, false},
        {"1", 1, true, true},
        {"0", 0, false, false},
        {"12abc", 12, true, false},
        {"abc", 0, false, false},
        {"99999999999", INT_MAX, true, false},
        {"-99999999999", INT_MIN, true, false},
        {"-999", -999, true, false},
    };
    IniStore store(mainPath, tempPath, faulty);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(store.writeString("setup", "k", c.value));
        EXPECT_EQ(store.readInt("setup", "k", 42), c.asInt);
        EXPECT_EQ(store.readBool("setup", "k", true), c.asBoolDefaultTrue);
        EXPECT_EQ(store.readBool("setup", "k", false), c.asBoolDefaultFalse);
    }
    EXPECT_EQ(store.readInt("setup", "missing", 42), 42);
    EXPECT_TRUE(store.readBool("setup", "missing", true));
}

TEST_F(IniStoreTest, WriteIntAndBoolStoreDecimalText) {
    IniStore store(mainPath, tempPath, faulty);
    store.writeInt("setup", "a", -123);
    store.writeBool("setup", "b", true);
    store.writeBool("setup", "c", false);
    EXPECT_EQ(store.readString("setup", "a", ""), "-123");
    EXPECT_EQ(store.readString("setup", "b", ""), "1");
    EXPECT_EQ(store.readString("setup", "c", ""), "0");
}

TEST_F(IniStoreTest, WriteReplacesOrAppendsInOrder) {
    IniStore store(mainPath, tempPath, faulty);
    EXPECT_FALSE(store.dirty());
    store.writeString("one", "a", "1");
    store.writeString("two", "x", "9");
    store.writeString("ONE", "B", "2");
    store.writeString("one", "A", "3");
    EXPECT_TRUE(store.dirty());
    const std::vector<IniKey> one = {{"a", "3"}, {"b", "2"}};
    EXPECT_EQ(store.readSection("one"), one);
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(slurp(mainPath), "[one]\r\n   a=3\r\n   b=2\r\n\r\n[two]\r\n   x=9\r\n\r\n");
}

TEST_F(IniStoreTest, WritesTheFileCannotHoldAreRefused) {
    struct Case {
        const char* name;
        std::string section, key, value;
    };
    const Case cases[] = {
        {"empty value", "setup", "k", ""},
        {"blank value", "setup", "k", " \t "},
        {"empty key", "setup", "", "1"},
        {"blank key", "setup", "  ", "1"},
        {"key with =", "setup", "a=b", "1"},
        {"key with line end", "setup", "a\nb", "1"},
        {"value with CR", "setup", "k", "a\rb"},
        {"value with LF", "setup", "k", "a\nb"},
        {"one-letter section", "s", "k", "1"},
        {"empty section", "", "k", "1"},
        {"section with line end", "se\r\ntup", "k", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniStore store(mainPath, tempPath, faulty);
        EXPECT_FALSE(store.writeString(c.section, c.key, c.value));
        EXPECT_FALSE(store.dirty());
        EXPECT_TRUE(store.readSection(c.section).empty());
    }
}

TEST_F(IniStoreTest, WrittenKeyAndValueAreTrimmedAsTheFileWouldReadThem) {
    IniStore store(mainPath, tempPath, faulty);
    ASSERT_TRUE(store.writeString("setup", " Font\t", "  12 "));
    EXPECT_EQ(store.readString("setup", "font", ""), "12");
    ASSERT_TRUE(store.flush());
    const IniStore again(mainPath, tempPath, faulty);
    EXPECT_EQ(again.readString("setup", "font", ""), "12");
}

TEST_F(IniStoreTest, RemovalsMarkTheStoreAndLastForAFlush) {
    IniStore store = storeOver("[ab]\r\nk=1\r\nm=2\r\n[cd]\r\nx=1\r\n");
    EXPECT_FALSE(store.removeKey("ab", "missing"));
    EXPECT_FALSE(store.removeSection("missing"));
    EXPECT_FALSE(store.dirty());

    EXPECT_TRUE(store.removeKey("AB", "K"));
    EXPECT_TRUE(store.dirty());
    EXPECT_TRUE(store.removeSection("CD"));
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(slurp(mainPath), "[ab]\r\n   m=2\r\n\r\n");
}

TEST_F(IniStoreTest, RemovingTheLastKeyRemovesTheSection) {
    IniStore store = storeOver("[ab]\r\nk=1\r\n[cd]\r\nx=1\r\n");
    EXPECT_TRUE(store.removeKey("ab", "k"));
    store.writeString("ab", "new", "2");
    // The section comes back at the end, as a new section does.
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(slurp(mainPath), "[cd]\r\n   x=1\r\n\r\n[ab]\r\n   new=2\r\n\r\n");
}

// ---- Flushing -----------------------------------------------------------------------------

TEST_F(IniStoreTest, RoundTripThroughTheFiles) {
    IniStore store(mainPath, tempPath, faulty);
    store.writeString("Setup", "Font", "12");
    store.writeString("praha-oblibene", "M\xF9stek$zast\xE1vky", "0");
    store.writeString("setup", "name", "a = b");
    ASSERT_TRUE(store.flush());
    EXPECT_FALSE(store.dirty());
    EXPECT_FALSE(fs::exists(tempPath));

    const IniStore again(mainPath, tempPath, faulty);
    EXPECT_EQ(again.readString("setup", "font", ""), "12");
    EXPECT_EQ(again.readString("PRAHA-OBLIBENE", "M\xD9STEK$ZAST\xC1VKY", ""), "0");
    EXPECT_EQ(again.readString("setup", "name", ""), "a = b");
}

TEST_F(IniStoreTest, FlushOfAnUnchangedStoreTouchesNoFile) {
    IniStore store = storeOver("[ab]\r\nk=1\r\n");
    EXPECT_TRUE(store.flush());
    EXPECT_EQ(faulty.writeCalls, 0);
    EXPECT_EQ(faulty.copyCalls, 0);
    EXPECT_EQ(slurp(mainPath), "[ab]\r\nk=1\r\n");
}

TEST_F(IniStoreTest, FlushFaultsNeverDamageTheMainFile) {
    struct Case {
        const char* name;
        int failWrites, corruptTempReads, failCopies, corruptMainReads;
        bool ok;
        bool mainReplaced;  // on failure: the copy itself went through
    };
    const Case cases[] = {
        {"no fault", 0, 0, 0, 0, true, true},
        {"write fails then succeeds", 2, 0, 0, 0, true, true},
        {"write fails every attempt", 3, 0, 0, 0, false, false},
        {"temp read back differs once", 0, 1, 0, 0, true, true},
        {"temp read back always differs", 0, 3, 0, 0, false, false},
        {"copy fails then succeeds", 0, 0, 2, 0, true, true},
        {"copy fails every attempt", 0, 0, 3, 0, false, false},
        {"main read back differs twice", 0, 0, 0, 2, true, true},
        {"main read back always differs", 0, 0, 0, 3, false, true},
        {"mixed faults on every step", 2, 0, 1, 1, true, true},
    };
    const std::string oldText = "[setup]\r\n   font=10\r\n\r\n";
    const std::string newText = "[setup]\r\n   font=14\r\n\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IniStore store = storeOver(oldText);
        store.writeInt("setup", "font", 14);
        faulty.failWrites = c.failWrites;
        faulty.corruptTempReads = c.corruptTempReads;
        faulty.failCopies = c.failCopies;
        faulty.corruptMainReads = c.corruptMainReads;

        EXPECT_EQ(store.flush(), c.ok);
        EXPECT_EQ(store.dirty(), !c.ok);
        EXPECT_EQ(store.readInt("setup", "font", 0), 14);
        if (c.ok) {
            EXPECT_EQ(slurp(mainPath), newText);
            EXPECT_FALSE(fs::exists(tempPath));
            continue;
        }
        // The main file holds the old settings or the new ones, whole.
        EXPECT_EQ(slurp(mainPath), c.mainReplaced ? newText : oldText);
        // The faults are over: the next flush writes the kept contents.
        EXPECT_TRUE(store.flush());
        EXPECT_FALSE(store.dirty());
        EXPECT_EQ(slurp(mainPath), newText);
    }
}

TEST_F(IniStoreTest, FailedCopyKeepsTheStoreContents) {
    IniStore store = storeOver("[setup]\r\nfont=10\r\n");
    store.writeString("setup", "font", "14");
    store.writeString("other", "k", "v");
    faulty.failCopies = 3;
    ASSERT_FALSE(store.flush());
    // Nothing of the unsaved changes is lost to the old main file.
    EXPECT_EQ(store.readString("setup", "font", ""), "14");
    EXPECT_EQ(store.readString("other", "k", ""), "v");
}

TEST_F(IniStoreTest, UndeletableTempFileStillFlushes) {
    IniStore store(mainPath, tempPath, faulty);
    store.writeString("setup", "font", "12");
    faulty.failRemove = true;
    EXPECT_TRUE(store.flush());
    EXPECT_FALSE(store.dirty());
    EXPECT_EQ(slurp(mainPath), "[setup]\r\n   font=12\r\n\r\n");
}

TEST_F(IniStoreTest, TextOverTheSizeLimitDoesNotFlush) {
    // One section "ab" (8 bytes with its empty line) and one key "k" (7 bytes with its value's
    // line): a value of the limit less 15 bytes makes a text exactly at the limit.
    const std::string fits(IniStore::kMaxTextBytes - 15, 'v');
    {
        IniStore store(mainPath, tempPath, faulty);
        store.writeString("ab", "k", fits);
        ASSERT_TRUE(store.flush());
        EXPECT_EQ(slurp(mainPath).size(), IniStore::kMaxTextBytes);
    }
    IniStore store(mainPath, tempPath, faulty);
    store.writeString("ab", "k", fits + "w");
    const int writesBefore = faulty.writeCalls;
    EXPECT_TRUE(store.tooLarge());
    EXPECT_FALSE(store.flush());
    EXPECT_TRUE(store.dirty());
    EXPECT_EQ(faulty.writeCalls, writesBefore);
    EXPECT_EQ(slurp(mainPath).size(), IniStore::kMaxTextBytes);
    // Made small again, the store flushes.
    store.writeString("ab", "k", "short");
    EXPECT_FALSE(store.tooLarge());
    EXPECT_TRUE(store.flush());
    EXPECT_EQ(slurp(mainPath), "[ab]\r\n   k=short\r\n\r\n");
}

TEST_F(IniStoreTest, OddFileIsRewrittenInTheStoreFormat) {
    IniStore store = storeOver("junk\n[Setup]\n  Font = 12\n\n[x]\nk\n\x01\x02");
    store.writeString("setup", "lang", "0");
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(slurp(mainPath), "[setup]\r\n   font=12\r\n   lang=0\r\n\r\n");
}

// ---- The real file system ------------------------------------------------------------------

TEST(RealIniFileSystem, WriteReadCopyRemove) {
    TempFolder dir;
    IniFileSystem& real = realIniFileSystem();
    const std::string a = dir.file("a.ini");
    const std::string b = dir.file("b.ini");
    ASSERT_TRUE(real.writeFile(a, std::string("x\0y", 3)));
    EXPECT_EQ(real.readFile(a, 100), std::string("x\0y", 3));
    EXPECT_EQ(real.readFile(a, 2), "x" + std::string(1, '\0'));
    ASSERT_TRUE(real.writeFile(a, "new"));
    EXPECT_EQ(real.readFile(a, 100), "new");

    spit(b, "old contents");
    ASSERT_TRUE(real.copyFile(a, b));
    EXPECT_EQ(slurp(b), "new");
    EXPECT_FALSE(fs::exists(b + ".new~"));

    EXPECT_TRUE(real.removeFile(a));
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(real.readFile(a, 100), std::nullopt);
}

TEST(RealIniFileSystem, FailedCopyLeavesTheTargetWhole) {
    TempFolder dir;
    IniFileSystem& real = realIniFileSystem();
    const std::string target = dir.file("main.ini");
    spit(target, "settings");
    EXPECT_FALSE(real.copyFile(dir.file("missing.dat"), target));
    EXPECT_EQ(slurp(target), "settings");
    EXPECT_FALSE(real.writeFile(dir.file("no/such/folder.ini"), "x"));
    EXPECT_EQ(real.readFile(dir.file("no/such/folder.ini"), 10), std::nullopt);
}

// A program killed while its flush copied the file leaves the copy's sibling behind; the next
// store over that file removes it and reads the whole main file.
TEST(RealIniFileSystem, AStoreRemovesTheHalfCopyOfAKilledFlush) {
    TempFolder dir;
    const std::string main = dir.file("nastaveni.ini");
    spit(main, "[setup]\r\n   a=1\r\n\r\n");
    spit(copySiblingOf(main), "[setup]\r\n   a=");
    IniStore store(main, dir.file("nasTemp.dat"), realIniFileSystem());
    EXPECT_FALSE(fs::exists(copySiblingOf(main)));
    EXPECT_EQ(store.readString("setup", "a", "-"), "1");
}

}  // namespace
}  // namespace trasovnik
