#pragma once
// Reading one line of a resource source: numbers, quoted texts and words, with the escapes
// \r \n \t \" and \\ inside texts. Source files are UTF-8; texts come out as UTF-16.

#include <cstdint>
#include <string>
#include <string_view>

namespace rescomp {

class SourceLine {
public:
    SourceLine(std::string_view text, int lineNumber) : text_(text), line_(lineNumber) {}

    // True when only blanks or a comment ('#' to the end) remain.
    bool atEnd();
    // The next word of letters; empty when the next token is not a word.
    std::string word();
    // True when the next token is a decimal number.
    bool nextIsNumber();
    // A decimal number from 0 to `max`.
    std::uint32_t number(std::uint32_t max);
    // True when the next token is a quoted text.
    bool nextIsText();
    // A quoted text, decoded.
    std::u16string text();
    // Raises unless only blanks or a comment remain.
    void expectEnd();

    int lineNumber() const { return line_; }
    [[noreturn]] void fail(const std::string& message) const;

private:
    void skipBlanks();
    std::string_view text_;
    std::size_t pos_ = 0;
    int line_;
};

// Splits a source into lines (LF or CRLF); a UTF-8 byte-order mark at the start is skipped.
template <typename Fn>
void forEachLine(std::string_view source, Fn&& fn) {
    if (source.substr(0, 3) == "\xEF\xBB\xBF") {
        source.remove_prefix(3);
    }
    int number = 1;
    while (!source.empty()) {
        std::size_t end = source.find('\n');
        std::string_view line = source.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        fn(SourceLine(line, number));
        if (end == std::string_view::npos) {
            break;
        }
        source.remove_prefix(end + 1);
        ++number;
    }
}

}  // namespace rescomp
