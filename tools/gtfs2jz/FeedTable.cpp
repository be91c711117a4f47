#include "tools/gtfs2jz/FeedTable.h"

#include "tools/gtfs2jz/FeedError.h"

namespace gtfs2jz {

namespace {
std::string trimmed(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t");
    std::size_t e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}
}  // namespace

FeedTable::FeedTable(CsvReader reader) : reader_(std::move(reader)) {
    if (!reader_.next()) {
        feedFail(reader_.file(), 1, "the file is empty (no header line)");
    }
    headerLine_ = reader_.line();
    const auto& names = reader_.fields();
    width_ = names.size();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = trimmed(names[i]);
        // Two columns of one name would leave it open which of them the values come from.
        if (!columns_.emplace(name, static_cast<int>(i)).second) {
            feedFail(reader_.file(), headerLine_, "column " + name + " named twice");
        }
    }
}

int FeedTable::column(const std::string& name) const {
    auto it = columns_.find(name);
    if (it == columns_.end()) {
        feedFail(file(), headerLine_, "missing column " + name);
    }
    return it->second;
}

int FeedTable::optionalColumn(const std::string& name) const {
    auto it = columns_.find(name);
    return it == columns_.end() ? -1 : it->second;
}

bool FeedTable::next() {
    if (!reader_.next()) {
        return false;
    }
    if (reader_.fields().size() != width_) {
        fail("has " + std::to_string(reader_.fields().size()) + " fields, the header has " +
             std::to_string(width_));
    }
    return true;
}

std::string_view FeedTable::get(int column) const {
    if (column < 0) {
        return {};
    }
    return reader_.fields()[static_cast<std::size_t>(column)];
}

void FeedTable::fail(const std::string& what) const {
    feedFail(file(), line(), what);
}

}  // namespace gtfs2jz
