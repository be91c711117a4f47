#pragma once
// Values of one search run found by a 64-bit key (the trip events that have labels waiting,
// the departures gathered at a stop and minute): an open-addressing table that grows by
// doubling, so that an entry costs no heap allocation of its own.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trasovnik {

template <class Value>
class EventTable {
public:
    // The value for `key`: value-initialised when the key is new (the caller stores its value
    // there).
    Value& find(std::uint64_t key) {
        if ((used_ + 1) * 2 > slots_.size()) {
            grow();
        }
        std::size_t i = hash(key) & (slots_.size() - 1);
        std::size_t tomb = kNone;
        for (;; i = (i + 1) & (slots_.size() - 1)) {
            Slot& s = slots_[i];
            if (s.state == kEmpty) {
                Slot& target = tomb != kNone ? slots_[tomb] : s;
                if (tomb == kNone) {
                    ++used_;
                }
                target.state = kFull;
                target.key = key;
                target.value = Value{};
                return target.value;
            }
            if (s.state == kFull && s.key == key) {
                return s.value;
            }
            if (s.state == kTomb && tomb == kNone) {
                tomb = i;
            }
        }
    }

    void erase(std::uint64_t key) {
        if (slots_.empty()) {
            return;
        }
        for (std::size_t i = hash(key) & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
            Slot& s = slots_[i];
            if (s.state == kEmpty) {
                return;
            }
            if (s.state == kFull && s.key == key) {
                s.state = kTomb;
                return;
            }
        }
    }

    void clear() {
        slots_.clear();
        used_ = 0;
    }

private:
    static constexpr std::uint8_t kEmpty = 0, kFull = 1, kTomb = 2;
    static constexpr std::size_t kNone = ~std::size_t{0};
    struct Slot {
        std::uint64_t key = 0;
        Value value{};
        std::uint8_t state = kEmpty;
    };

    static std::size_t hash(std::uint64_t k) {
        k ^= k >> 33;
        k *= 0xff51afd7ed558ccdULL;
        k ^= k >> 33;
        return static_cast<std::size_t>(k);
    }

    // Doubles the table (or keeps its size when tombstones fill it) and puts the live entries
    // back.
    void grow() {
        std::vector<Slot> old = std::move(slots_);
        std::size_t live = 0;
        for (const Slot& s : old) {
            live += s.state == kFull ? 1 : 0;
        }
        std::size_t size = old.empty() ? 1024 : old.size();
        while ((live + 1) * 4 > size) {
            size *= 2;
        }
        slots_.assign(size, Slot{});
        used_ = 0;
        for (const Slot& s : old) {
            if (s.state == kFull) {
                find(s.key) = s.value;
            }
        }
    }

    std::vector<Slot> slots_;
    std::size_t used_ = 0;  // full and tombstone slots
};

}  // namespace trasovnik
