// Reading CSV records: quoting, line ends, the byte-order mark, and the line numbers that the
// importer's messages give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/gtfs2jz/CsvReader.h"
#include "tools/gtfs2jz/FeedError.h"

namespace {

using Records = std::vector<std::vector<std::string>>;

struct CsvCase {
    const char* name;
    std::string text;
    Records records;
    std::vector<std::size_t> lines;  // the line each record starts on
};

class CsvRecords : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvRecords, AreReadFieldByField) {
    const CsvCase& c = GetParam();
    auto reader = gtfs2jz::CsvReader::fromText(c.text, "t.txt");
    Records got;
    std::vector<std::size_t> lines;
    while (reader.next()) {
        got.push_back(reader.fields());
        lines.push_back(reader.line());
    }
    EXPECT_EQ(got, c.records);
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvRecords,
    ::testing::Values(CsvCase{"Plain", "a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}, {1, 2}},
                      CsvCase{"FieldAtTheLimit",
                              "a\n" + std::string(gtfs2jz::CsvReader::kMaxFieldBytes, 'v') + "\n",
                              {{"a"}, {std::string(gtfs2jz::CsvReader::kMaxFieldBytes, 'v')}},
                              {1, 2}},
                      CsvCase{"NoFinalLineEnd", "a,b\n1,2", {{"a", "b"}, {"1", "2"}}, {1, 2}},
                      CsvCase{"Crlf", "a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}, {1, 2}},
                      CsvCase{"ByteOrderMark",
                              "\xEF\xBB\xBFstop_id,x\r\n1,2\r\n",
                              {{"stop_id", "x"}, {"1", "2"}},
                              {1, 2}},
                      CsvCase{"EmptyFields", ",\n,x,\n", {{"", ""}, {"", "x", ""}}, {1, 2}},
                      CsvCase{"QuotedComma", "a,\"b, c\",d\n", {{"a", "b, c", "d"}}, {1}},
                      CsvCase{"DoubledQuote", "\"say \"\"hi\"\"\",x\n", {{"say \"hi\"", "x"}}, {1}},
                      CsvCase{"QuotedEmpty", "\"\",x\n", {{"", "x"}}, {1}},
                      CsvCase{"QuotedLineBreaks",
                              "a,\"one\ntwo\r\nthree\"\nnext,1\n",
                              {{"a", "one\ntwo\r\nthree"}, {"next", "1"}},
                              {1, 4}},
                      CsvCase{"EmptyLinesSkipped", "a\n\n\r\nb\n", {{"a"}, {"b"}}, {1, 4}},
                      CsvCase{"LoneBomIsNoField", "\xEF\xBB\xBF", {}, {}},
                      CsvCase{"BomOnlyAtStart",
                              "a\n\xEF\xBB\xBF"
                              "b\n",
                              {{"a"},
                               {"\xEF\xBB\xBF"
                                "b"}},
                              {1, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

struct CsvFault {
    const char* name;
    std::string text;
    const char* message;
};

class CsvFaults : public ::testing::TestWithParam<CsvFault> {};

TEST_P(CsvFaults, NameTheFileAndLine) {
    const CsvFault& c = GetParam();
    auto reader = gtfs2jz::CsvReader::fromText(c.text, "t.txt");
    try {
        while (reader.next()) {
        }
        FAIL() << "no error";
    } catch (const gtfs2jz::FeedError& e) {
        EXPECT_STREQ(e.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CsvFaults,
    ::testing::Values(CsvFault{"QuoteNeverClosed", "a\nb,\"open\n\n",
                               "t.txt: line 2: a quoted field is never closed"},
                      CsvFault{"TextAfterQuote", "a\n\"x\"y,1\n",
                               "t.txt: line 2: text after the closing quote of a field"},
                      CsvFault{"TextAfterQuoteOnLaterLine", "\"x\ny\"z\n",
                               "t.txt: line 2: text after the closing quote of a field"},
                      CsvFault{"FieldOverTheLimit",
                               "a,b\n1," + std::string(gtfs2jz::CsvReader::kMaxFieldBytes + 1, 'v'),
                               "t.txt: line 2: a field longer than 65536 bytes"},
                      // The limit counts the field's text, not its quotes; the line is the
                      // one the record starts on.
                      CsvFault{"QuotedFieldOverTheLimit",
                               "a\n\"\n" + std::string(gtfs2jz::CsvReader::kMaxFieldBytes, 'v') +
                                   "\"\n",
                               "t.txt: line 2: a field longer than 65536 bytes"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvReader, MissingFileIsAFeedError) {
    EXPECT_THROW(gtfs2jz::CsvReader("/nonexistent/dir/stops.txt", "stops.txt"), gtfs2jz::FeedError);
}

}  // namespace

namespace {

// Files are read in chunks of a megabyte: records and quoted fields across a chunk border
// must come out whole.
TEST(CsvReader, RecordsAcrossChunkBordersOfAFile) {
    const std::string path = ::testing::TempDir() + "/csv_chunks.txt";
    constexpr std::size_t kChunk = 1 << 20;
    const std::string filler(60000, 'x');
    std::string text = "\xEF\xBB\xBFh1,h2\n";
    std::size_t fillerRecords = 0;
    while (text.size() + filler.size() + 1 < kChunk - 12) {
        text += filler + "\n";
        ++fillerRecords;
    }
    // One more short record, so that the quoted field opens 12 bytes before the border.
    const std::string last(kChunk - 12 - text.size() - 1, 'z');
    text += last + "\n";
    ASSERT_EQ(text.size(), kChunk - 12);
    const std::string quoted = "yyyyyyyyyy\nq,\"";
    text += "\"yyyyyyyyyy\nq,\"\"\",tail\r\nlast,1";
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    gtfs2jz::CsvReader reader(path, "big.txt");
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.fields(), (std::vector<std::string>{"h1", "h2"}));
    for (std::size_t i = 0; i < fillerRecords; ++i) {
        ASSERT_TRUE(reader.next());
        ASSERT_EQ(reader.fields(), (std::vector<std::string>{filler}));
    }
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.fields(), (std::vector<std::string>{last}));
    ASSERT_TRUE(reader.next());
    ASSERT_EQ(reader.fields().size(), 2u);
    EXPECT_EQ(reader.fields()[0], quoted);
    EXPECT_EQ(reader.fields()[1], "tail");
    EXPECT_EQ(reader.line(), fillerRecords + 3);
    ASSERT_TRUE(reader.next());
    EXPECT_EQ(reader.fields(), (std::vector<std::string>{"last", "1"}));
    EXPECT_EQ(reader.line(), fillerRecords + 5);
    EXPECT_FALSE(reader.next());
    std::remove(path.c_str());
}

}  // namespace
