#pragma once
// Whether what the program shows is in its language: every word of a shown text, menu item or
// message box is a word of that language's string table and menus, or of the timetable data.
// Czech (language 0) shows no Slovak word; Slovak (language 1) shows no word that is neither
// Slovak nor from the timetable data; neither shows "???", the text of a missing id.
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace uidrive {

class LanguageCheck {
public:
    // The Czech words from the program's own resources, the Slovak ones from the language
    // library in the program folder, and the data words from the timetable sources (JSON)
    // under the given folders.
    LanguageCheck(const std::filesystem::path& programFolder,
                  const std::vector<std::filesystem::path>& timetableSources);

    // Further data words: the names of the installed timetable files.
    void addDataText(const std::u16string& text);

    // The shown texts that break the rule for the language, one a line; empty when none.
    std::string faults(int language, const std::vector<std::u16string>& shown) const;

private:
    std::set<std::u16string> czech_;
    std::set<std::u16string> slovak_;
    std::set<std::u16string> data_;
};

// The words of a text, lower case, its markup (<*…*>, #*…*#) and placeholders (%d, %s) left out.
std::vector<std::u16string> wordsOf(const std::u16string& text);

}  // namespace uidrive
