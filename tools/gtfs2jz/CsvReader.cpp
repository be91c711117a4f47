#include "tools/gtfs2jz/CsvReader.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "tools/gtfs2jz/FeedError.h"

namespace gtfs2jz {

namespace {
constexpr std::size_t kChunk = 1 << 20;
int noClose(std::FILE*) {
    return 0;
}
}  // namespace

CsvReader::CsvReader(const std::string& path, std::string file)
    : file_(std::move(file)), stream_(std::fopen(path.c_str(), "rb"), &std::fclose) {
    if (!stream_) {
        feedFail(file_, 0, std::string("cannot open: ") + std::strerror(errno));
    }
}

CsvReader::CsvReader(std::string file, std::string text, bool)
    : file_(std::move(file)), stream_(nullptr, &noClose), buffer_(std::move(text)) {}

CsvReader CsvReader::fromText(std::string text, std::string file) {
    return CsvReader(std::move(file), std::move(text), true);
}

bool CsvReader::refill() {
    if (!stream_) {
        return false;
    }
    buffer_.erase(0, pos_);
    pos_ = 0;
    const std::size_t had = buffer_.size();
    buffer_.resize(had + kChunk);
    const std::size_t got = std::fread(buffer_.data() + had, 1, kChunk, stream_.get());
    buffer_.resize(had + got);
    if (got == 0 && std::ferror(stream_.get()) != 0) {
        feedFail(file_, line_, std::string("cannot read: ") + std::strerror(errno));
    }
    return got > 0;
}

void CsvReader::append(std::string& field, int c) const {
    if (field.size() >= kMaxFieldBytes) {
        feedFail(file_, recordLine_,
                 "a field longer than " + std::to_string(kMaxFieldBytes) + " bytes");
    }
    field += static_cast<char>(c);
}

int CsvReader::peek() {
    if (pos_ >= buffer_.size() && !refill()) {
        return EOF;
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

int CsvReader::get() {
    int c = peek();
    if (c != EOF) {
        ++pos_;
    }
    return c;
}

bool CsvReader::next() {
    if (!started_) {
        started_ = true;
        // A UTF-8 byte-order mark before the first field.
        if (peek() == 0xEF) {
            while (buffer_.size() - pos_ < 3 && refill()) {
            }
            if (buffer_.compare(pos_, 3, "\xEF\xBB\xBF") == 0) {
                pos_ += 3;
            }
        }
    }
    fields_.clear();
    // Skip empty lines between records.
    for (;;) {
        int c = peek();
        if (c == '\r') {
            get();
        } else if (c == '\n') {
            get();
            ++line_;
        } else if (c == EOF) {
            return false;
        } else {
            break;
        }
    }
    recordLine_ = line_;
    for (;;) {
        std::string field;
        int c = 0;
        if (peek() == '"') {
            get();
            // A quoted field: up to the closing quote; "" stands for one quote.
            for (;;) {
                int q = get();
                if (q == EOF) {
                    feedFail(file_, recordLine_, "a quoted field is never closed");
                }
                if (q == '"') {
                    if (peek() != '"') {
                        break;
                    }
                    get();
                }
                if (q == '\n') {
                    ++line_;
                }
                append(field, q);
            }
            c = get();
            if (c != ',' && c != '\n' && c != '\r' && c != EOF) {
                feedFail(file_, line_, "text after the closing quote of a field");
            }
        } else {
            for (c = get(); c != ',' && c != '\n' && c != '\r' && c != EOF; c = get()) {
                append(field, c);
            }
        }
        fields_.push_back(std::move(field));
        if (c == ',') {
            continue;
        }
        if (c == '\r' && peek() == '\n') {
            get();
        }
        if (c != EOF) {
            ++line_;
        }
        return true;
    }
}

}  // namespace gtfs2jz
