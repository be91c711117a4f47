#include "tools/uidrive/LanguageCheck.h"

#include "platform/draw/Utf.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/resources/ResourceData.h"

#include <nlohmann/json.hpp>

#include <dlfcn.h>
#include <fstream>
#include <span>

namespace uidrive {

namespace fs = std::filesystem;
namespace res = platform::resources;

namespace {

bool isLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
           (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}

// Lower case for the Latin letters the two languages write.
char16_t lowered(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 0x20);
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return static_cast<char16_t>(c | 1);
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && (c & 1)) return static_cast<char16_t>(c + 1);
    return c;
}

void addWords(std::set<std::u16string>& words, const std::u16string& text) {
    for (std::u16string& w : wordsOf(text)) words.insert(std::move(w));
}

void addMenuWords(std::set<std::u16string>& words, std::span<const res::MenuItemTemplate> items) {
    for (const res::MenuItemTemplate& item : items) {
        addWords(words, std::u16string(item.text));
        addMenuWords(words, item.items());
    }
}

void addMenus(std::set<std::u16string>& words, std::span<const res::MenuTemplate> menus) {
    for (const res::MenuTemplate& menu : menus) addMenuWords(words, menu.topLevel());
}

void addJsonStrings(std::set<std::u16string>& words, const nlohmann::json& value) {
    if (value.is_string()) {
        addWords(words, platform::draw::fromUtf8(value.get<std::string>()));
    } else if (value.is_array() || value.is_object()) {
        for (const auto& element : value) addJsonStrings(words, element);
    }
}

bool isSlovakOnly(const std::u16string& word, const std::set<std::u16string>& czech,
                  const std::set<std::u16string>& slovak, const std::set<std::u16string>& data) {
    return slovak.contains(word) && !czech.contains(word) && !data.contains(word);
}

}  // namespace

std::vector<std::u16string> wordsOf(const std::u16string& text) {
    std::vector<std::u16string> words;
    std::u16string word;
    const auto flush = [&] {
        if (!word.empty()) words.push_back(word);
        word.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        // Markup and placeholders are no words.
        if (c == u'<' && i + 1 < text.size() && text[i + 1] == u'*') {
            if (const auto end = text.find(u"*>", i + 2); end != std::u16string::npos) {
                flush();
                i = end + 1;
                continue;
            }
        }
        if (c == u'#' && i + 1 < text.size() && text[i + 1] == u'*') {
            if (const auto end = text.find(u"*#", i + 2); end != std::u16string::npos) {
                flush();
                i = end + 1;
                continue;
            }
        }
        if (c == u'%' && i + 1 < text.size() && isLetter(text[i + 1])) {
            flush();
            ++i;
            continue;
        }
        if (isLetter(c)) {
            word.push_back(lowered(c));
        } else {
            flush();
        }
    }
    flush();
    return words;
}

LanguageCheck::LanguageCheck(const fs::path& programFolder, const std::vector<fs::path>& timetableSources) {
    for (std::size_t i = 0; i < res::data::kStringCount; ++i) addWords(czech_, std::u16string(res::data::kStrings[i].text));
    addMenus(czech_, res::builtInMenuTemplates());
    // The same library the program loads for Slovak; it stays loaded, as the program's does.
    if (void* library = ::dlopen((programFolder / "libPelorvantSK.so").c_str(), RTLD_NOW | RTLD_LOCAL)) {
        using Strings = const res::data::StringEntry* (*)(std::size_t*);
        using Menus = const res::MenuTemplate* (*)(std::size_t*);
        std::size_t count = 0;
        if (const auto strings = reinterpret_cast<Strings>(::dlsym(library, "pelorvantStringTable"))) {
            const res::data::StringEntry* entries = strings(&count);
            for (std::size_t i = 0; i < count; ++i) addWords(slovak_, std::u16string(entries[i].text));
        }
        if (const auto menus = reinterpret_cast<Menus>(::dlsym(library, "pelorvantMenus"))) {
            const res::MenuTemplate* templates = menus(&count);
            addMenus(slovak_, {templates, count});
        }
    }
    for (const fs::path& folder : timetableSources) {
        std::error_code ec;
        for (const auto& entry : fs::recursive_directory_iterator(folder, ec)) {
            if (entry.path().extension() != ".json") continue;
            std::ifstream in(entry.path());
            // The sources carry comments.
            const nlohmann::json json = nlohmann::json::parse(in, nullptr, false, true);
            if (!json.is_discarded()) addJsonStrings(data_, json);
        }
    }
}

void LanguageCheck::addDataText(const std::u16string& text) {
    addWords(data_, text);
}

std::string LanguageCheck::faults(int language, const std::vector<std::u16string>& shown) const {
    std::string out;
    if (slovak_.empty()) return "no Slovak texts to check against (libPelorvantSK.so)\n";
    for (const std::u16string& text : shown) {
        std::u16string wrong;
        if (text.find(u"???") != std::u16string::npos) wrong = u"???";
        for (const std::u16string& word : wordsOf(text)) {
            if (!wrong.empty()) break;
            const bool fits = language == 1 ? slovak_.contains(word) || data_.contains(word)
                                            : !isSlovakOnly(word, czech_, slovak_, data_);
            if (!fits) wrong = word;
        }
        if (!wrong.empty())
            out += "  \"" + platform::draw::toUtf8(text) + "\" (\"" + platform::draw::toUtf8(wrong) + "\")\n";
    }
    return out;
}

}  // namespace uidrive
