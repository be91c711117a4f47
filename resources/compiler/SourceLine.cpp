#include "resources/compiler/SourceLine.h"

#include "resources/compiler/ResourceError.h"

namespace rescomp {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

void SourceLine::fail(const std::string& message) const {
    throw ResourceError(line_, message);
}

void SourceLine::skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_])) {
        ++pos_;
    }
}

bool SourceLine::atEnd() {
    skipBlanks();
    return pos_ >= text_.size() || text_[pos_] == '#';
}

void SourceLine::expectEnd() {
    if (!atEnd()) {
        fail("unexpected \"" + std::string(text_.substr(pos_)) + "\"");
    }
}

std::string SourceLine::word() {
    skipBlanks();
    std::size_t start = pos_;
    while (pos_ < text_.size() && isLetter(text_[pos_])) {
        ++pos_;
    }
    return std::string(text_.substr(start, pos_ - start));
}

bool SourceLine::nextIsNumber() {
    skipBlanks();
    return pos_ < text_.size() && isDigit(text_[pos_]);
}

std::uint32_t SourceLine::number(std::uint32_t max) {
    if (!nextIsNumber()) {
        fail("a number is missing");
    }
    std::uint64_t value = 0;
    while (pos_ < text_.size() && isDigit(text_[pos_])) {
        value = value * 10 + static_cast<std::uint64_t>(text_[pos_] - '0');
        if (value > max) {
            fail("number above " + std::to_string(max));
        }
        ++pos_;
    }
    if (pos_ < text_.size() && !isBlank(text_[pos_])) {
        fail("a number must be followed by a blank");
    }
    return static_cast<std::uint32_t>(value);
}

bool SourceLine::nextIsText() {
    skipBlanks();
    return pos_ < text_.size() && text_[pos_] == '"';
}

std::u16string SourceLine::text() {
    if (!nextIsText()) {
        fail("a quoted text is missing");
    }
    ++pos_;
    std::u16string out;
    while (true) {
        if (pos_ >= text_.size()) {
            fail("the text has no closing quote");
        }
        auto c = static_cast<unsigned char>(text_[pos_]);
        if (c == '"') {
            ++pos_;
            return out;
        }
        if (c == '\\') {
            if (pos_ + 1 >= text_.size()) {
                fail("the text ends inside an escape");
            }
            char e = text_[pos_ + 1];
            pos_ += 2;
            switch (e) {
                case 'r':
                    out.push_back(u'\r');
                    break;
                case 'n':
                    out.push_back(u'\n');
                    break;
                case 't':
                    out.push_back(u'\t');
                    break;
                case '"':
                    out.push_back(u'"');
                    break;
                case '\\':
                    out.push_back(u'\\');
                    break;
                default:
                    fail(std::string("unknown escape \\") + e);
            }
            continue;
        }
        if (c < 0x20) {
            fail("control character inside a text");
        }
        // One UTF-8 sequence: its length from the lead byte, then continuation bytes.
        std::size_t length = c < 0x80           ? 1
                             : (c >> 5) == 0x6  ? 2
                             : (c >> 4) == 0xE  ? 3
                             : (c >> 3) == 0x1E ? 4
                                                : 0;
        if (length == 0 || pos_ + length > text_.size()) {
            fail("invalid UTF-8 in a text");
        }
        std::uint32_t cp = length == 1   ? c
                           : length == 2 ? (c & 0x1F)
                           : length == 3 ? (c & 0x0F)
                                         : (c & 0x07);
        for (std::size_t k = 1; k < length; ++k) {
            auto cc = static_cast<unsigned char>(text_[pos_ + k]);
            if ((cc & 0xC0) != 0x80) {
                fail("invalid UTF-8 in a text");
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        static constexpr std::uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kShortest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            fail("invalid UTF-8 in a text");
        }
        pos_ += length;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
}

}  // namespace rescomp
