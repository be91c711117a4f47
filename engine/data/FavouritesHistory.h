#pragma once
// The favourites and the history of one timetable file: small lists of places the user chose,
// kept in the engine's INI store in one section per timetable series so that they survive
// restarts and data updates. A place is stored by its names (the element's name and its kind's
// name), not by indexes, and is found again by name when the file is loaded:
//
//   [<series>-oblibene]            [<series>-historie]
//      delimiter=$                    delimiter=$
//      <element>$<kind>=0             <element>$<kind>=<search id of last use>
//                                     idhledani=<search-id counter>
//
// Favourites are kept sorted by name, at most 20. History holds the places of recent searches,
// at most 20, newest first, and forgets a place after 30 searches without it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/data/IndexTripleVector.h"

namespace trasovnik {

class IniStore;
class cKategorie;
class cNazvy;

class cOblibeneHistorie : public TripleNameSource {
public:
    static constexpr std::size_t kMaxEntries = 20;
    // Keys of a section taken on loading: the entries and the delimiter key.
    static constexpr std::size_t kMaxKeysRead = kMaxEntries + 1;
    // Candidates for the character between element and kind name, in the order tried.
    static constexpr std::string_view kDelimiters = "$*#&@%";

    cOblibeneHistorie(const cOblibeneHistorie&) = delete;
    cOblibeneHistorie& operator=(const cOblibeneHistorie&) = delete;
    virtual ~cOblibeneHistorie() = default;

    // Replaces the entries by those of the store's own section, or, with a prefix (another
    // timetable's title), of the section named prefix + suffix. When the section has no
    // one-character delimiter, the first "??" of its name is replaced by "08" and that section
    // is tried instead; when that fails too, the list stays empty.
    virtual void load(std::optional<std::string_view> prefix = std::nullopt);
    // Adds a place (a vector of one triple); the result is the store's answer (see below).
    virtual int add(const IndexTripleVector& place) = 0;
    // Rewrites the section in the INI store (the INI file itself is written by its flush).
    // ENGINE_EXC_BAD_ARGUMENT when every delimiter candidate occurs in some entry's names.
    virtual void save();

    // Removes the first entry that shares a (kind, element) pair with the place; true when one
    // was removed.
    bool remove(const IndexTripleVector& place);
    // Index of the first entry whose element name equals `name` (collateCompare), or -1.
    int find(std::string_view name) const;

    std::size_t count() const { return entries_.size(); }
    // Entry i and its value; ENGINE_EXC_INDEX when i is not below count().
    const IndexTripleVector& entry(std::size_t i) const;
    std::int64_t value(std::size_t i) const;
    // The element or kind name of entry i.
    std::string_view elementName(std::size_t i) const;
    std::string_view kindName(std::size_t i) const;

    // The delimiter read by the last load or chosen by the last save; 0 before either.
    char delimiter() const { return delimiter_; }
    const std::string& sectionName() const { return sectionName_; }

    // The first candidate delimiter that occurs in no kind or element name of any entry.
    char chooseDelimiter() const;

protected:
    struct Entry {
        IndexTripleVector place;
        std::int64_t value = 0;
    };

    cOblibeneHistorie(IniStore& store, const cKategorie& categories, const cNazvy& names,
                      std::string_view seriesName, std::string_view suffix);

    // What each store does once the entries of a section are read; `section` is null when no
    // section was found.
    virtual void afterLoad(const std::string* section) = 0;
    // Extra keys written after the entries.
    virtual void saveExtra() {}

    // Raises ENGINE_EXC_BAD_ARGUMENT for a place without triples and ENGINE_EXC_INDEX for a
    // triple that names no element of this file, before anything is changed.
    void checkPlace(const IndexTripleVector& place) const;
    // Position of the first entry that shares a (kind, element) pair with the place, or -1.
    int findShared(const IndexTripleVector& place) const;

    // The names of a triple of this file (its timetable index is not looked at).
    std::string_view elementNameOf(const IndexTriple& t) const override;
    std::string_view kindNameOf(const IndexTriple& t) const override;

    IniStore& store_;
    const cKategorie& categories_;
    const cNazvy& names_;
    std::string suffix_;
    std::string sectionName_;
    char delimiter_ = 0;
    std::vector<Entry> entries_;

private:
    // The kind whose name the stored kind text names (prefix compare), or -1.
    int kindNamed(std::string_view text) const;
    void readEntries(const std::string& section);
};

// Favourites: kept until deleted, sorted by element name.
class cOblibene final : public cOblibeneHistorie {
public:
    static constexpr std::string_view kSuffix = "-oblibene";
    // The results of add.
    static constexpr int kAdded = 0;
    static constexpr int kPresent = 2;
    static constexpr int kFull = 3;

    cOblibene(IniStore& store, const cKategorie& categories, const cNazvy& names,
              std::string_view seriesName);

    // kFull when 20 entries exist, kPresent when an entry shares a (kind, element) pair with
    // the place, else kAdded after adding it (value 0) in name order.
    int add(const IndexTripleVector& place) override;

private:
    void afterLoad(const std::string* section) override;
    void sortByName();
};

// History: the places of recent searches, newest first, aged by a search-id counter.
class cHistorie final : public cOblibeneHistorie {
public:
    static constexpr std::string_view kSuffix = "-historie";
    static constexpr std::string_view kCounterKey = "idhledani";
    // A place unused for more searches than this is forgotten.
    static constexpr std::int64_t kMaxAge = 30;

    cHistorie(IniStore& store, const cKategorie& categories, const cNazvy& names,
              std::string_view seriesName);

    // Marks the place as used by the current search: an entry that shares a (kind, element)
    // pair gets the counter as its value; otherwise the place is added with it, in place of the
    // oldest entry when 20 exist. Always 0.
    int add(const IndexTripleVector& place) override;

    // A new search: the counter goes up, entries older than 30 searches go, and the store is
    // normalised and saved.
    void incHistorySearchId();

    std::int64_t searchId() const { return counter_; }

private:
    void afterLoad(const std::string* section) override;
    void saveExtra() override;
    // Shifts the counter and the values so that the smallest is 0 and orders the entries
    // newest first.
    void normalise();

    std::int64_t counter_ = 0;
};

}  // namespace trasovnik
