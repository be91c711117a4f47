#include "tools/jzwriter/TextEncoding.h"

#include <cstdint>
#include <cstdio>

#include "engine/data/Cp1250Text.h"
#include "tools/jzwriter/CompileContext.h"

namespace jz {

namespace {

[[noreturn]] void fail(std::string_view where, const std::string& what) {
    throw CompileError(std::string(where) + ": " + what);
}

std::string codePointName(char32_t c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
    return buf;
}

// Decodes one UTF-8 sequence at text[i], advancing i.
char32_t decodeOne(std::string_view text, std::size_t& i, std::string_view where) {
    auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    std::uint8_t b0 = byte(i);
    std::size_t extra;
    char32_t c;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        c = b0 & 0x07;
    } else {
        fail(where, "invalid UTF-8");
    }
    if (text.size() - i <= extra) {
        fail(where, "truncated UTF-8 sequence");
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        std::uint8_t b = byte(i + k);
        if ((b & 0xC0) != 0x80) {
            fail(where, "invalid UTF-8");
        }
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        fail(where, "invalid UTF-8");
    }
    i += extra + 1;
    return c;
}

}  // namespace

std::string toCp1250(std::string_view utf8, std::string_view where) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = decodeOne(utf8, i, where);
        if (c == 0) {
            out.push_back('\0');
            continue;
        }
        std::u16string wide;
        if (c <= 0xFFFF) {
            wide.push_back(static_cast<char16_t>(c));
        }
        std::string narrow = wide.empty() ? std::string(1, '\0') : trasovnik::wideToCp1250(wide);
        if (narrow.size() != 1 || narrow[0] == '\0') {
            fail(where, "character " + codePointName(c) + " has no Windows-1250 code");
        }
        out.push_back(narrow[0]);
    }
    return out;
}

}  // namespace jz
