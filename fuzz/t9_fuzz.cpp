// Typed texts against the place names of a timetable: keypad keys, letters one at a time and
// whole texts of every length from 0 to 40, from the names themselves and from arbitrary
// bytes. An input that loads as a timetable becomes the file matched against (and its own
// bytes are typed too); any other input is typed against the last file that loaded. Every
// failure must be an engine failure; a crash, a hang or a sanitizer report is a fault.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/data/EngineException.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/LoadedTimetable.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/t9/T9Search.h"

namespace {

using namespace trasovnik;

constexpr std::size_t kLongestTyped = 40;

struct Loaded {
    LoadedTimetable timetable;
    std::unique_ptr<cJizdniRadySestavy> set;
};

std::unique_ptr<Loaded>& current() {
    static std::unique_ptr<Loaded> loaded;
    return loaded;
}

void typeText(const cJizdniRadySestavy& set, const std::string& text) {
    std::vector<IndexTripleVector> candidates(kT9CandidateSlots);
    for (std::size_t n = 0; n <= text.size() && n <= kLongestTyped; ++n) {
        for (std::int32_t selector : {-1, 0}) {
            try {
                t9TypedText(set, T9Scope{-1, selector}, std::string_view(text).substr(0, n),
                            candidates);
            } catch (const EngineException&) {
            }
        }
    }
    // The same text key by key and letter by letter, then deleted again.
    for (bool letters : {false, true}) {
        std::int32_t code = 0;
        std::int32_t length = 0;
        std::uint8_t digits[30] = {};
        std::uint8_t typed[30] = {};
        const T9TypedState state{&code, digits, typed, &length};
        try {
            for (std::size_t i = 0; i < text.size() && i < kLongestTyped; ++i) {
                const auto b = static_cast<std::uint8_t>(text[i]);
                t9KeyPress(set, T9Scope{}, letters ? 0 : (b % 10 == 0 ? 1 : b % 10), b, letters,
                           state, candidates);
            }
            for (std::size_t i = 0; i < 32; ++i) {
                t9KeyPress(set, T9Scope{}, -1, 0, letters, state, candidates);
            }
        } catch (const EngineException&) {
        }
    }
}

void typeNames(const cJizdniRad& file, const cJizdniRadySestavy& set) {
    const cKategorie& c = file.categories;
    std::size_t typed = 0;
    for (std::size_t k = 0; k < c.kindCount() && typed < 16; ++k) {
        for (std::size_t e = 0; e < c.elementCount(k) && typed < 16; e += 7, ++typed) {
            typeText(set, std::string(c.elementName(file.names, k, e)));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        LoadObserver quiet;
        std::shared_ptr<cJizdniRad> file =
            loadTimetableBytes(std::vector<std::uint8_t>(data, data + size), quiet);
        if (file) {
            auto loaded = std::make_unique<Loaded>();
            loaded->timetable.file = file;
            loaded->set = std::make_unique<cJizdniRadySestavy>(
                std::vector<LoadedTimetable*>{&loaded->timetable});
            current().reset();
            current() = std::move(loaded);
            typeNames(*file, *current()->set);
        }
    } catch (const EngineException&) {
    }
    if (current()) {
        typeText(*current()->set, bytes.substr(0, kLongestTyped));
        if (bytes.size() > kLongestTyped) {
            typeText(*current()->set, bytes.substr(bytes.size() - kLongestTyped));
        }
    }
    return 0;
}
