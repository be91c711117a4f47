#pragma once
// The engine's settings store: sections of keys and values (Windows-1250 bytes) kept in memory,
// read from a main INI file when the store is made and written back by flush() through a
// temporary file. A flush writes the temporary file, reads it back and checks it, then puts a
// copy in place of the main file and checks that too, each step tried up to three times; the
// main file is replaced atomically, so a failed or interrupted flush never damages it.
//
// Section and key names are case-insensitive (held lowercased, compared in Czech collation).
// Keys and values lose leading and trailing spaces and tabs, as they would when read back from
// the file; a write that the file could not hold faithfully is refused.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/data/IniFileSystem.h"
#include "engine/data/IniSectionList.h"

namespace trasovnik {

class IniStore {
public:
    // The largest file the store reads and writes. A store whose text would be longer does not
    // flush, so that whatever the store writes it can read back whole.
    static constexpr std::size_t kMaxTextBytes = 1u << 20;
    // A main file longer than kMaxTextBytes (not one this store wrote) is kept aside whole
    // under a name of its own ("nastaveni.ini" as "nastaveni-odlozeny.ini", then
    // "nastaveni-odlozeny-2.ini" and on when that is taken), and the store goes on with what
    // can be read of it: the keys of its first kMaxTextBytes, up to the last whole line, as
    // many as fit in kMaxKeptBytes, which leaves room for the changes to come. The store writes
    // that at once, so the main file is sound again, and every later flush saves. Until the
    // oversized file has been kept aside, no flush replaces it.
    static constexpr std::size_t kMaxKeptBytes = kMaxTextBytes / 2;
    static constexpr int kAttempts = 3;

    // Reads `mainFile`; a file that cannot be opened gives an empty store.
    IniStore(std::string mainFile, std::string tempFile, IniFileSystem& fs = realIniFileSystem());

    // Forgets the values and reads them anew from `mainFile`, which the store uses from now
    // on with `tempFile`, as a new store would; the store stays where it is, so whoever refers
    // to it keeps doing so.
    void reopen(std::string mainFile, std::string tempFile);

    // The value, or `defaultValue` when the section or key is missing.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // All keys of a section in order; empty when the section is missing.
    std::vector<IniKey> readSection(std::string_view section) const;
    // The value read as a decimal integer (leading white space, an optional sign, then digits;
    // out-of-range values saturate); the default when the key is missing.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;
    // true when the value reads as 1, false when it reads as 0, else the default.
    bool readBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Sets a value and marks the store changed. Returns false and changes nothing when the key
    // or value is empty (after trimming), or when the file could not hold the write: a section
    // name shorter than two bytes or holding a line end, a key holding "=" or a line end, a
    // value holding a line end.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool writeInt(std::string_view section, std::string_view key, int value);
    bool writeBool(std::string_view section, std::string_view key, bool value);

    // Remove a key or a whole section; true when there was one. A removal marks the store
    // changed, so that the next flush makes it lasting.
    bool removeKey(std::string_view section, std::string_view key);
    bool removeSection(std::string_view section);

    // Writes the store to its files when it has changed; true on success (also when there was
    // nothing to write). On failure the store stays changed and keeps its contents, and the
    // main file keeps its previous contents.
    bool flush();

    bool dirty() const { return dirty_; }
    // True when the store's text is longer than kMaxTextBytes, so that flush() refuses it.
    bool tooLarge() const;
    const std::string& mainFile() const { return mainFile_; }
    const std::string& tempFile() const { return tempFile_; }
    // The name the oversized main file was kept aside under when the store was read; empty when
    // the main file was not too large (or could not be kept aside yet).
    const std::string& setAside() const { return setAside_; }

private:
    void load();
    void removeStaleCopy();
    bool keepOversizedAside();
    IniSectionList readList(const std::string& path, std::size_t maxBytes) const;

    std::string mainFile_;
    std::string tempFile_;
    IniFileSystem& fs_;
    IniSectionList sections_;
    bool dirty_ = false;
    // The main file in place is the oversized one, not yet kept aside.
    bool oversizedInPlace_ = false;
    std::string setAside_;
};

}  // namespace trasovnik
