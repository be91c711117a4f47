#pragma once
// One CSV file of a feed read by column name: the first record names the columns; every
// further record must have as many fields (a stray comma or a broken quote shows up as a
// wrong field count on the line at fault).

#include <map>
#include <string>
#include <string_view>

#include "tools/gtfs2jz/CsvReader.h"

namespace gtfs2jz {

class FeedTable {
public:
    explicit FeedTable(CsvReader reader);

    // The column's index; a FeedError naming the file's first line when it is missing.
    int column(const std::string& name) const;
    // The column's index, or -1 when the file has none.
    int optionalColumn(const std::string& name) const;

    // Reads the next record; false at the end.
    bool next();
    // The field of the current record in `column` ("" for column -1).
    std::string_view get(int column) const;
    std::size_t line() const { return reader_.line(); }
    const std::string& file() const { return reader_.file(); }
    [[noreturn]] void fail(const std::string& what) const;

private:
    CsvReader reader_;
    std::map<std::string, int> columns_;
    std::size_t width_ = 0;
    std::size_t headerLine_ = 1;
};

}  // namespace gtfs2jz
