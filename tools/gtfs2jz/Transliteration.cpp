#include "tools/gtfs2jz/Transliteration.h"

#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/TextEncoding.h"

namespace gtfs2jz {

namespace {

std::string encode(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// Base letters of U+00C0..U+017F, one entry per code point ("" where none fits).
const char* const kLatin[] = {
    // U+00C0
    "A",
    "A",
    "A",
    "A",
    "A",
    "A",
    "AE",
    "C",
    "E",
    "E",
    "E",
    "E",
    "I",
    "I",
    "I",
    "I",
    // U+00D0
    "D",
    "N",
    "O",
    "O",
    "O",
    "O",
    "O",
    "x",
    "O",
    "U",
    "U",
    "U",
    "U",
    "Y",
    "Th",
    "ss",
    // U+00E0
    "a",
    "a",
    "a",
    "a",
    "a",
    "a",
    "ae",
    "c",
    "e",
    "e",
    "e",
    "e",
    "i",
    "i",
    "i",
    "i",
    // U+00F0
    "d",
    "n",
    "o",
    "o",
    "o",
    "o",
    "o",
    "/",
    "o",
    "u",
    "u",
    "u",
    "u",
    "y",
    "th",
    "y",
    // U+0100
    "A",
    "a",
    "A",
    "a",
    "A",
    "a",
    "C",
    "c",
    "C",
    "c",
    "C",
    "c",
    "C",
    "c",
    "D",
    "d",
    // U+0110
    "D",
    "d",
    "E",
    "e",
    "E",
    "e",
    "E",
    "e",
    "E",
    "e",
    "E",
    "e",
    "G",
    "g",
    "G",
    "g",
    // U+0120
    "G",
    "g",
    "G",
    "g",
    "H",
    "h",
    "H",
    "h",
    "I",
    "i",
    "I",
    "i",
    "I",
    "i",
    "I",
    "i",
    // U+0130
    "I",
    "i",
    "IJ",
    "ij",
    "J",
    "j",
    "K",
    "k",
    "k",
    "L",
    "l",
    "L",
    "l",
    "L",
    "l",
    "L",
    // U+0140
    "l",
    "L",
    "l",
    "N",
    "n",
    "N",
    "n",
    "N",
    "n",
    "n",
    "N",
    "n",
    "O",
    "o",
    "O",
    "o",
    // U+0150
    "O",
    "o",
    "OE",
    "oe",
    "R",
    "r",
    "R",
    "r",
    "R",
    "r",
    "S",
    "s",
    "S",
    "s",
    "S",
    "s",
    // U+0160
    "S",
    "s",
    "T",
    "t",
    "T",
    "t",
    "T",
    "t",
    "U",
    "u",
    "U",
    "u",
    "U",
    "u",
    "U",
    "u",
    // U+0170
    "U",
    "u",
    "U",
    "u",
    "W",
    "w",
    "Y",
    "y",
    "Y",
    "Z",
    "z",
    "Z",
    "z",
    "Z",
    "z",
    "s",
};

std::string nearest(char32_t c) {
    if (c >= 0xC0 && c <= 0x17F) {
        return kLatin[c - 0xC0];
    }
    switch (c) {
        case 0x2018:
        case 0x2019:
        case 0x201B:
        case 0x2032:
            return "'";
        case 0x2010:
        case 0x2011:
        case 0x2012:
        case 0x2212:
            return "-";
        case 0x2026:
            return "...";
        case 0x00A0:
        case 0x2007:
        case 0x202F:
            return " ";
        default:
            return "?";
    }
}

}  // namespace

bool Transliterator::inCodePage(char32_t c) {
    auto it = known_.find(c);
    if (it != known_.end()) {
        return it->second;
    }
    bool ok = true;
    try {
        jz::toCp1250(encode(c), "");
    } catch (const jz::CompileError&) {
        ok = false;
    }
    known_.emplace(c, ok);
    return ok;
}

std::string Transliterator::operator()(std::string_view s, const std::string& place) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        std::size_t len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
        char32_t c = 0;
        bool valid = len > 0 && i + len <= s.size() && b < 0xF8;
        if (valid) {
            c = b & (0x7F >> len);
            for (std::size_t k = 1; k < len; ++k) {
                unsigned char cont = static_cast<unsigned char>(s[i + k]);
                if ((cont & 0xC0) != 0x80) {
                    valid = false;
                    break;
                }
                c = (c << 6) | (cont & 0x3F);
            }
            // Overlong forms, surrogates and values past Unicode are malformed too.
            static const char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
            valid = valid && c >= kMin[len] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
        }
        std::string original =
            valid ? std::string(s.substr(i, len))
                  : std::string("\\x") + "0123456789ABCDEF"[b >> 4] + "0123456789ABCDEF"[b & 15];
        if (valid && inCodePage(c)) {
            out += original;
        } else {
            std::string with = valid ? nearest(c) : "?";
            Replacement& r = made_[original];
            if (r.count++ == 0) {
                r.with = with;
                r.firstPlace = place;
            }
            out += with;
        }
        i += valid ? len : 1;
    }
    return out;
}

std::string Transliterator::report() const {
    std::string out;
    for (const auto& [original, r] : made_) {
        out += "transliterated \"" + original + "\" as \"" + r.with + "\" " +
               std::to_string(r.count) + " time" + (r.count == 1 ? "" : "s") + ", first in " +
               r.firstPlace + "\n";
    }
    return out;
}

}  // namespace gtfs2jz
