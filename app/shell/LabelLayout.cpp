#include "app/shell/LabelLayout.h"

#include "app/shell/ImageNameRegistry.h"
#include "app/shell/LabelImages.h"
#include "app/shell/ShellException.h"

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace pelorvant {

namespace {

constexpr char16_t kTab = 9;
constexpr char16_t kCr = 13;

// The decimal value at the start of the text as the C library reads it: blanks, a sign and
// digits; 0 when there are none.
int decimalValue(std::u16string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == kTab)) {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        negative = s[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
        value = std::min<long long>(value * 10 + (s[i] - u'0'), INT_MAX);
    }
    return static_cast<int>(negative ? -value : value);
}

class Parser {
public:
    Parser(std::u16string_view text, const LabelLayoutOptions& options, LabelFonts& fonts)
        : text_(text), options_(options), fonts_(fonts) {
        font_.height = options.fontHeight;
    }

    LabelLayout run() {
        std::size_t k = 0;
        while (k < text_.size()) {
            k = step(k);
        }
        flush();
        if (!pending_.empty()) {
            addText(pending_);
        }
        finish();
        return std::move(layout_);
    }

private:
    // Handles the character at k; returns where to go on.
    std::size_t step(std::size_t k) {
        const char16_t c = text_[k];
        if (c == kTab || c == kCr || c == u' ' || c == u'#' || c == u'<') {
            upperKnown_ = false;  // the pending text or the font may change
        }
        const bool markup = k + 1 < text_.size() && text_[k + 1] == u'*';
        if (c == kTab) {
            flush();
            addText(pending_);
            addText(u"     ");
            pending_.clear();
            word_.clear();
            return k + 1;
        }
        if (c == kCr) {
            flush();
            addText(pending_);
            ++line_;
            pending_.clear();
            word_.clear();
            return k + 1;
        }
        if (c == u'#' && markup) {
            if (const std::size_t next = image(k); next != 0) {
                return next;
            }
            return ordinary(k);
        }
        if (c == u'<' && markup && tagComplete(k)) {
            return tag(k);
        }
        if (c == u' ') {
            space();
            return k + 1;
        }
        return ordinary(k);
    }

    // An inline image "#*name*#"; 0 when the token has no end or no name, or (strictImages
    // off) names no image that loads: then the characters are ordinary text.
    std::size_t image(std::size_t k) {
        const std::size_t close = text_.find(u"*#", k + 2);
        if (close == std::u16string_view::npos || close == k + 2) {
            return 0;
        }
        const std::u16string_view name = text_.substr(k + 2, close - (k + 2));
        const std::uint16_t id = imageIdForName(name);
        if (id == 0) {
            if (!options_.strictImages) {
                return 0;
            }
            throw ShellException("ImageLabel wrong text Exception");
        }
        const platform::draw::Bitmap& bitmap = labelImage(id);
        if (bitmap.width() < 1) {
            if (!options_.strictImages) {
                return 0;
            }
            throw ShellException("ImageLabel bad image Exception");
        }
        flush();
        if (!pending_.empty()) {
            addText(pending_);
        }
        pending_.clear();
        word_ = u" ";
        const int scale = options_.highResolution ? 2 : 1;
        LabelRun r;
        r.type = LabelRunType::Image;
        r.imageId = id;
        r.width = bitmap.width() * scale;
        r.height = bitmap.height() * scale + 2;
        if (lineWidth(line_) + r.width > options_.wrapWidth) {
            ++line_;
        }
        add(std::move(r));
        return close + 2;
    }

    // A style tag needs its five characters, a height tag its closing "*"; a tag cut off by
    // the end of the text is ordinary text.
    bool tagComplete(std::size_t k) const {
        const char16_t letter = k + 2 < text_.size() ? text_[k + 2] : 0;
        if (letter == u'b' || letter == u'i' || letter == u'u') {
            return k + 5 <= text_.size();
        }
        return text_.find(u'*', k + 2) != std::u16string_view::npos;
    }

    // A style tag "<*b*>" or a font-height tag "<*20*>".
    std::size_t tag(std::size_t k) {
        flush();
        const bool hadPending = !pending_.empty();
        if (hadPending) {
            addText(pending_);
        }
        word_ = hadPending ? u" " : u"";
        pending_.clear();
        std::size_t next;
        const char16_t letter = k + 2 < text_.size() ? text_[k + 2] : 0;
        if (letter == u'b' || letter == u'i' || letter == u'u') {
            LabelRun r;
            r.type = LabelRunType::Style;
            r.style = letter;
            add(std::move(r));
            font_.toggle(letter);
            next = std::min(k + 5, text_.size());
        } else {
            const std::size_t star = text_.find(u'*', k + 2);
            int height = decimalValue(text_.substr(k + 2, star - (k + 2)));
            // A height that is not a number returns to the settings' height; others are kept
            // within bounds that can be drawn.
            height = height == 0 ? options_.fontHeight
                                 : std::clamp(height, kLabelMinFontHeight, kLabelMaxFontHeight);
            LabelRun r;
            r.type = LabelRunType::FontHeight;
            r.fontHeight = height;
            add(std::move(r));
            font_.height = height;
            next = std::min(star + 2, text_.size());
        }
        return next;
    }

    void space() {
        const int n = measure(pending_ + word_ + u" ");
        if (options_.wrapWidth >= lineWidth(line_) + n) {
            flush();
            word_.clear();
            return;
        }
        flush();
        addText(pending_);
        word_.clear();
        newLine();
    }

    std::size_t ordinary(std::size_t k) {
        const char16_t c = text_[k];
        const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
        if (!surrogate) {
            // Most characters lie far from the line's end: an upper bound of the width (each
            // appended character adds at most its own width and a pixel of rounding) settles
            // them without measuring the whole line again.
            if (!upperKnown_) {
                upper_ = measure(pending_ + word_);
                upperKnown_ = true;
            }
            const int bound = upper_ + advance(c) + advance(u' ') + 2;
            if (options_.wrapWidth >= lineWidth(line_) + bound) {
                word_ += c;
                upper_ += advance(c) + 1;
                return k + 1;
            }
        }
        std::u16string candidate = pending_ + word_;
        candidate += c;
        candidate += u' ';
        const int width = measure(candidate);
        if (options_.wrapWidth >= lineWidth(line_) + width) {
            word_ += c;
            upper_ = width;
            upperKnown_ = !surrogate;
            return k + 1;
        }
        upperKnown_ = false;
        std::size_t end = k;
        while (end < text_.size() && text_[end] != u' ' && text_[end] != kCr) {
            ++end;
        }
        // Only a word that can fit on a line of its own moves there whole. A word of more
        // characters than the width has pixels cannot: it is not measured (very long words
        // would be measured again at every line they are broken into).
        const std::size_t letters = word_.size() + (end - k);
        const bool fitsAlone =
            static_cast<long long>(letters) <= options_.wrapWidth &&
            measure(word_ + std::u16string(text_.substr(k, end - k))) <= options_.wrapWidth;
        if (fitsAlone) {
            if (!pending_.empty()) {
                addText(pending_);
            }
            word_ += c;
        } else {
            flush();
            addText(pending_);
            word_ = std::u16string(1, c);
        }
        newLine();
        return k + 1;
    }

    void newLine() {
        pending_ = options_.indentWraps ? u" " : u"";
        ++line_;
    }

    void flush() {
        if (!pending_.empty()) {
            pending_ += u' ';
            pending_ += word_;
        } else {
            pending_ = word_;
        }
    }

    int measure(std::u16string_view s) { return fonts_.font(font_).measure(s).width; }
    // The width of one character in the current font, measured once per font.
    int advance(char16_t c) {
        const platform::draw::Font* font = &fonts_.font(font_);
        auto& widths = advances_[font];
        const auto it = widths.find(c);
        if (it != widths.end()) {
            return it->second;
        }
        const int w = font->measure(std::u16string_view(&c, 1)).width;
        widths.emplace(c, w);
        return w;
    }
    void addText(std::u16string_view s) {
        LabelRun r;
        r.type = LabelRunType::Text;
        r.text = std::u16string(s);
        r.height = font_.height;
        r.width = s.empty() ? -1 : measure(s);
        add(std::move(r));
    }

    void add(LabelRun r) {
        r.line = line_;
        ensureLine(line_);
        layout_.lineWidths[line_] += r.width;
        layout_.lineHeights[line_] = std::max(layout_.lineHeights[line_], std::max(r.height, 0));
        layout_.runs.push_back(std::move(r));
    }

    void ensureLine(int line) {
        if (static_cast<int>(layout_.lineWidths.size()) <= line) {
            layout_.lineWidths.resize(line + 1, 0);
            layout_.lineHeights.resize(line + 1, 0);
        }
    }

    int lineWidth(int line) {
        ensureLine(line);
        return layout_.lineWidths[line];
    }

    void finish() {
        if (layout_.runs.empty()) {
            layout_.lineWidths.clear();
            layout_.lineHeights.clear();
            return;
        }
        const int last = layout_.runs.back().line;
        layout_.lineWidths.resize(last + 1, 0);
        layout_.lineHeights.resize(last + 1, 0);
        int sum = 0;
        for (int h : layout_.lineHeights) {
            sum += h;
        }
        layout_.textHeight = sum + static_cast<int>(0.3 * layout_.lineHeights[last]);
    }

    std::u16string_view text_;
    const LabelLayoutOptions& options_;
    LabelFonts& fonts_;
    LabelFontState font_;
    LabelLayout layout_;
    std::u16string pending_;
    std::u16string word_;
    // An upper bound of the width of pending_ + word_ while upperKnown_.
    int upper_ = 0;
    bool upperKnown_ = false;
    std::unordered_map<const platform::draw::Font*, std::unordered_map<char16_t, int>> advances_;
    int line_ = 0;
};

}  // namespace

int LabelLayout::longestLineWidth() const {
    int widest = 0;
    for (int w : lineWidths) {
        widest = std::max(widest, w);
    }
    return widest;
}

int LabelLayout::lineTop(int line) const {
    int top = 0;
    for (int i = 0; i < line && i < static_cast<int>(lineHeights.size()); ++i) {
        top += lineHeights[i];
    }
    return top;
}

LabelLayout layOutLabelText(std::u16string_view text, const LabelLayoutOptions& options,
                            LabelFonts& fonts) {
    return Parser(text, options, fonts).run();
}

}  // namespace pelorvant
