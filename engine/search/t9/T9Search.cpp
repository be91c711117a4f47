#include "engine/search/t9/T9Search.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"
#include "engine/search/t9/T9ElementLists.h"

namespace trasovnik {

namespace {

// The walk over one file's chosen kinds: per kind the position of its next matching element.
class T9Matcher {
public:
    T9Matcher(const cJizdniRad& file, std::shared_ptr<const T9ElementLists> lists,
              std::vector<std::size_t> kinds, const T9Input& input)
        : file_(file), lists_(std::move(lists)), kinds_(std::move(kinds)), input_(input) {
        const int key = input.code % 10;
        for (std::size_t k : kinds_) {
            const std::vector<T9Element>& list = lists_->kind(k);
            auto first = std::lower_bound(
                list.begin(), list.end(), key,
                [](const T9Element& e, int wanted) { return e.code % 10 < wanted; });
            std::size_t pos = static_cast<std::size_t>(first - list.begin());
            advance(k, pos);
            positions_.push_back(pos);
        }
    }

    const std::vector<std::size_t>& kinds() const { return kinds_; }

    // The name of the current match of chosen kind i, none when the kind is used up.
    std::optional<std::string_view> current(std::size_t i) const {
        const std::vector<T9Element>& list = lists_->kind(kinds_[i]);
        if (positions_[i] >= list.size()) {
            return std::nullopt;
        }
        return file_.categories.elementName(file_.names, kinds_[i], list[positions_[i]].element);
    }
    std::uint32_t currentElement(std::size_t i) const {
        return lists_->kind(kinds_[i])[positions_[i]].element;
    }
    // Moves chosen kind i on to its next match.
    void step(std::size_t i) {
        ++positions_[i];
        advance(kinds_[i], positions_[i]);
    }

private:
    // From pos on, the first element that passes the match test; past the end when the first
    // key changes first.
    void advance(std::size_t kind, std::size_t& pos) const {
        const std::vector<T9Element>& list = lists_->kind(kind);
        const int key = input_.code % 10;
        while (pos < list.size()) {
            const T9Element& e = list[pos];
            if (e.code % 10 != key) {
                pos = list.size();
                return;
            }
            if (t9MatchesName(input_, file_.categories.elementName(file_.names, kind, e.element),
                              e.code)) {
                return;
            }
            ++pos;
        }
    }

    const cJizdniRad& file_;
    std::shared_ptr<const T9ElementLists> lists_;
    std::vector<std::size_t> kinds_;
    std::vector<std::size_t> positions_;
    const T9Input& input_;
};

// Per file of the set, the kinds the scope chooses (empty for a file not searched).
std::vector<std::vector<std::size_t>> chosenKinds(const cJizdniRadySestavy& set, T9Scope scope) {
    std::vector<std::vector<std::size_t>> out(set.count());
    if (scope.selector < 0) {
        for (std::size_t f = 0; f < set.count(); ++f) {
            for (std::size_t k = 0; k < set.timetable(f).categories.kindCount(); ++k) {
                out[f].push_back(k);
            }
        }
    } else if (scope.fileIndex < 0) {
        for (const cClenSlouceneKategorie& m :
             set.mergedCategories().members(static_cast<std::size_t>(scope.selector))) {
            out.at(m.timetable).push_back(m.kind);
        }
    } else {
        const auto f = static_cast<std::size_t>(scope.fileIndex);
        const auto k = static_cast<std::size_t>(scope.selector);
        if (k >= set.timetable(f).categories.kindCount()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
        out[f].push_back(k);
    }
    return out;
}

// Same object: equal element names and equal kind names of the first triples.
bool sameObject(const cJizdniRadySestavy& set, const IndexTripleVector& a,
                const IndexTripleVector& b) {
    return a.firstElementNameEquals(set.elementNameOf(b.at(0)), set) &&
           a.firstCategoryNameEquals(set.kindNameOf(b.at(0)), set);
}

// History or favourites entries that match, as candidates (joined by object across files).
void addStoreEntries(const cJizdniRadySestavy& set,
                     const std::vector<std::vector<std::size_t>>& kinds, const T9Input& input,
                     bool history, std::vector<IndexTripleVector>& out) {
    for (std::size_t f = 0; f < set.count() && out.size() < kT9MaxCandidates; ++f) {
        const LoadedTimetable& loaded = set.loaded(f);
        const cOblibeneHistorie* store =
            history ? static_cast<const cOblibeneHistorie*>(loaded.history.get())
                    : loaded.favourites.get();
        if (store == nullptr || kinds[f].empty()) {
            continue;
        }
        for (std::size_t i = 0; i < store->count() && out.size() < kT9MaxCandidates; ++i) {
            const IndexTripleVector& stored = store->entry(i);
            if (stored.count() == 0 ||
                std::find(kinds[f].begin(), kinds[f].end(),
                          static_cast<std::size_t>(stored.at(0).kind)) == kinds[f].end() ||
                !matchT9(*store, i, input)) {
                continue;
            }
            IndexTripleVector entry;
            for (std::uint32_t t = 0; t < stored.count(); ++t) {
                entry.append(static_cast<std::int32_t>(f), stored.at(t).kind, stored.at(t).element);
            }
            if (!set.mergeEqualObject(out, entry)) {
                out.push_back(std::move(entry));
            }
        }
    }
}

// Category elements in name order, an object named in several files joined into one candidate.
void addElements(const cJizdniRadySestavy& set, const std::vector<std::vector<std::size_t>>& kinds,
                 const T9Input& input, std::vector<IndexTripleVector>& out) {
    std::vector<std::unique_ptr<T9Matcher>> matchers(set.count());
    for (std::size_t f = 0; f < set.count(); ++f) {
        if (!kinds[f].empty()) {
            matchers[f] = std::make_unique<T9Matcher>(
                set.timetable(f), T9ElementLists::of(set.loaded(f).file), kinds[f], input);
        }
    }
    struct Taken {
        std::size_t file;
        std::size_t kindSlot;
    };
    while (out.size() < kT9MaxCandidates) {
        IndexTripleVector candidate;
        std::vector<Taken> taken;
        std::string_view winner;
        for (std::size_t f = 0; f < matchers.size(); ++f) {
            if (!matchers[f]) {
                continue;
            }
            T9Matcher& m = *matchers[f];
            std::optional<std::size_t> best;
            std::string_view bestName;
            for (std::size_t i = 0; i < m.kinds().size(); ++i) {
                const std::optional<std::string_view> name = m.current(i);
                if (name && (!best || collateCompare(*name, bestName) < 0)) {
                    best = i;
                    bestName = *name;
                }
            }
            if (!best) {
                continue;
            }
            const int order = taken.empty() ? -1 : collateCompare(bestName, winner);
            if (order < 0) {
                candidate.reset();
                taken.clear();
                winner = bestName;
            }
            if (order <= 0) {
                candidate.append(static_cast<std::int32_t>(f),
                                 static_cast<std::int32_t>(m.kinds()[*best]),
                                 static_cast<std::int32_t>(m.currentElement(*best)));
                taken.push_back(Taken{f, *best});
            }
        }
        if (taken.empty()) {
            return;
        }
        for (const Taken& t : taken) {
            matchers[t.file]->step(t.kindSlot);
        }
        out.push_back(std::move(candidate));
    }
}

}  // namespace

T9Counts t9FindCandidates(const cJizdniRadySestavy& set, T9Scope scope, const T9Input& input,
                          std::span<IndexTripleVector> candidates) {
    if (candidates.size() < kT9CandidateSlots) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    for (IndexTripleVector& c : candidates.first(kT9CandidateSlots)) {
        c.reset();
    }
    const std::vector<std::vector<std::size_t>> kinds = chosenKinds(set, scope);

    std::vector<IndexTripleVector> found;
    addStoreEntries(set, kinds, input, true, found);
    std::size_t history = found.size();
    addStoreEntries(set, kinds, input, false, found);
    std::size_t favourites = found.size() - history;
    addElements(set, kinds, input, found);

    // Repeats: a favourite that is also in the history, an element that is also a history or
    // favourites entry.
    const std::size_t stored = history + favourites;
    std::vector<bool> repeat(found.size(), false);
    for (std::size_t i = history; i < found.size(); ++i) {
        const std::size_t compareTo = i < stored ? history : stored;
        for (std::size_t j = 0; j < compareTo && !repeat[i]; ++j) {
            repeat[i] = sameObject(set, found[i], found[j]);
        }
        if (repeat[i] && i < stored) {
            --favourites;
        }
    }
    std::vector<IndexTripleVector> kept;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (!repeat[i]) {
            kept.push_back(std::move(found[i]));
        }
    }
    // Names exactly as long as the typed input come before the longer ones.
    const std::size_t typedLength = input.letters ? input.text.size() : input.digits.size();
    if (!input.multiWord) {
        auto exact = [&](const IndexTripleVector& c) {
            return c.elementNameLength(0, set) == typedLength;
        };
        std::stable_partition(kept.begin() + static_cast<std::ptrdiff_t>(history + favourites),
                              kept.end(), exact);
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        candidates[i] = std::move(kept[i]);
    }
    T9Counts counts;
    counts.total = static_cast<std::int32_t>(kept.size());
    counts.history = static_cast<std::int32_t>(history);
    counts.favourites = static_cast<std::int32_t>(favourites);
    return counts;
}

T9Counts t9KeyPress(const cJizdniRadySestavy& set, T9Scope scope, std::int32_t key,
                    std::int32_t character, bool isLetter, const T9TypedState& state,
                    std::span<IndexTripleVector> candidates) {
    if (state.code == nullptr || state.digits == nullptr || state.text == nullptr ||
        state.length == nullptr) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    std::int32_t& length = *state.length;
    length = std::clamp<std::int32_t>(length, 0, kT9MaxTyped);
    if (key == -1) {
        if (--length <= 0) {
            length = 0;
            return T9Counts{};
        }
    } else if (isLetter) {
        if (length < kT9MaxTyped) {
            state.text[length++] = static_cast<std::uint8_t>(character);
        }
    } else if (length < kT9MaxTyped) {
        const std::int32_t k = std::clamp<std::int32_t>(key, 1, 9);
        if (length < static_cast<std::int32_t>(kT9CodedChars)) {
            *state.code = *state.code % t9PowerOfTen(static_cast<std::size_t>(length)) +
                          k * t9PowerOfTen(static_cast<std::size_t>(length));
        }
        if (length >= static_cast<std::int32_t>(kT9CodedChars)) {
            state.digits[length] = static_cast<std::uint8_t>(k);
        }
        ++length;
    }
    for (;;) {
        const auto n = static_cast<std::size_t>(length);
        const T9Input input =
            isLetter
                ? T9Input::fromText(std::string_view(reinterpret_cast<const char*>(state.text), n))
                : T9Input::fromKeys(*state.code, state.digits, n);
        *state.code = input.code;
        const T9Counts counts = t9FindCandidates(set, scope, input, candidates);
        if (counts.total > 0) {
            return counts;
        }
        // Nothing fits: take the last key back and try again.
        if (--length <= 0) {
            length = 0;
            return T9Counts{};
        }
    }
}

T9Counts t9TypedText(const cJizdniRadySestavy& set, T9Scope scope, std::string_view typed,
                     std::span<IndexTripleVector> candidates) {
    return t9FindCandidates(set, scope, T9Input::fromText(typed), candidates);
}

}  // namespace trasovnik
