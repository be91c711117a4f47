#pragma once
// Reads the records of one CSV file of a feed (RFC 4180): fields separated by commas, quoted
// fields that may hold commas, doubled quotes and line breaks, CRLF or LF line ends, an
// optional UTF-8 byte-order mark. The file is read in chunks, so files of millions of lines
// need no more memory than one record.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace gtfs2jz {

class CsvReader {
public:
    // No field of a feed comes near this; a longer one is a damaged file, refused before it
    // is read whole.
    static constexpr std::size_t kMaxFieldBytes = 64 * 1024;

    // Reads the file at `path`, named `file` in messages. A FeedError when it cannot be opened.
    CsvReader(const std::string& path, std::string file);
    // Reads `text` (tests).
    static CsvReader fromText(std::string text, std::string file);

    // Reads the next record, skipping empty lines; false at the end of the file. A FeedError
    // naming the line for a quote that is never closed, text after a closing quote, a field
    // longer than kMaxFieldBytes or a file that cannot be read.
    bool next();
    const std::vector<std::string>& fields() const { return fields_; }
    // The line on which the current record starts (1-based).
    std::size_t line() const { return recordLine_; }
    const std::string& file() const { return file_; }

private:
    CsvReader(std::string file, std::string text, bool);
    int get();
    int peek();
    bool refill();
    // Appends a byte to a field, refusing a field that grows past kMaxFieldBytes.
    void append(std::string& field, int c) const;

    std::string file_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream_;
    std::string buffer_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
    std::size_t recordLine_ = 0;
    bool started_ = false;
    std::vector<std::string> fields_;
};

}  // namespace gtfs2jz
