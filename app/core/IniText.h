#pragma once
// A small reader of INI files fetched from the network (the update information and the
// program-version file), kept apart from the engine's INI store. It works on the raw
// Windows-1250 bytes, keeps sections and pairs in file order and compares section names and
// keys without regard to letter case. Nothing it reads is trusted: lines of any length, any
// line end (CR, LF, CRLF) and binary bytes are parsed within the data's bounds.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorvant {

struct IniTextPair {
    std::string key;  // lower-cased, for lookups
    std::string value;
    // The key as the file writes it: timetable names name files on servers that tell cases apart.
    std::string keyAsWritten;
};

struct IniTextSection {
    std::string name;  // lower-cased
    std::vector<IniTextPair> pairs;
};

class IniText {
public:
    // File 1 may be empty; lookups read file 0.
    explicit IniText(std::filesystem::path file0, std::filesystem::path file1 = {});

    // Rebuilds list n (0 or 1) from its file; a file that cannot be read leaves it empty.
    void parseFile(int n);
    // Rebuilds list n from bytes in memory.
    void parseBytes(int n, std::string_view bytes);

    // The value of the first pair with that key in the first section of that name that has
    // pairs, as 8-bit bytes; the default when there is none.
    std::string getValue(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The value read as a decimal number (optional sign); the default when the key is absent
    // or its value does not start with a number.
    std::int32_t getInt(std::string_view section, std::string_view key, std::int32_t fallback) const;
    // Every pair of the first section of that name, in file order; empty when there is none.
    std::vector<IniTextPair> getSection(std::string_view section) const;

    // Sections of list n in file order (sections without pairs are not kept).
    const std::vector<IniTextSection>& sections(int n) const { return lists_[n == 1 ? 1 : 0]; }

private:
    const IniTextSection* findSection(std::string_view section) const;

    std::filesystem::path files_[2];
    std::vector<IniTextSection> lists_[2];
};

// The program's string side: section, key and default are converted to Windows-1250 and the
// results back to the program's strings.
std::u16string iniTextGetString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                                const IniText& ini);
std::int32_t iniTextGetInt(std::u16string_view section, std::u16string_view key, std::int32_t fallback,
                           const IniText& ini);
// Keys (as the file writes them) and values of the section, in file order.
void iniTextGetSection(std::u16string_view section, std::vector<std::u16string>& keys,
                       std::vector<std::u16string>& values, const IniText& ini);

}  // namespace pelorvant
