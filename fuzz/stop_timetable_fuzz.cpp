// Stop-timetable searches over a timetable: line texts of every length from 0 to 40 (from the
// lines' names and from arbitrary bytes), line indexes in and out of range, from and direction
// objects as elements and as stops with occurrences, days and weeks. An input that loads as a
// timetable becomes the file searched; any other input is read as queries against the last
// file that loaded. Every failure must be an engine failure; a crash, a hang or a sanitizer
// report is a fault.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/data/EngineException.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"
#include "engine/search/stoptimetables/StopTimetableSearch.h"

namespace {

using namespace trasovnik;

constexpr std::size_t kLongestText = 40;

std::shared_ptr<cJizdniRad>& current() {
    static std::shared_ptr<cJizdniRad> file;
    return file;
}

void searchOnce(const cJizdniRad& file, const StQuery& q) {
    try {
        const std::unique_ptr<cStVysledek> r = stSearch(file, q);
        // Everything the getters would hand out must be consistent with the counts.
        for (const auto& g : r->groups) {
            for (const auto& hour : g->hours) {
                for (const cStOdjezd& d : hour) {
                    if (d.note >= static_cast<std::int32_t>(g->notes.size()) || d.minute < 0 ||
                        d.minute > 59) {
                        __builtin_trap();
                    }
                }
            }
            if (g->text.size() >= kStValidityTextLimit) {
                __builtin_trap();
            }
            for (const cStPoznamka& n : g->notes) {
                if (n.text.size() >= kStNoteTextLimit) {
                    __builtin_trap();
                }
            }
        }
        if (r->queryDirections.size() != r->queryItems.size()) {
            __builtin_trap();
        }
    } catch (const EngineException&) {
    }
}

// Queries made from bytes: each group of bytes gives line, from, direction, day and week.
void searchFromBytes(const cJizdniRad& file, const std::string& bytes) {
    auto at = [&](std::size_t i) {
        return bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes[i % bytes.size()]);
    };
    for (std::size_t n = 0; n <= kLongestText; ++n) {
        StQuery q;
        q.lineText = std::string_view(bytes).substr(0, n);
        q.lineIndex = -1;
        q.fromValue = static_cast<std::int32_t>(at(n)) - 2;
        q.toValue = static_cast<std::int32_t>(at(n + 1)) - 2;
        q.fromOccurrence = at(n + 2) % 3 == 0 ? -1 : at(n + 2) % 3 - 1;
        q.toOccurrence = q.fromOccurrence == -1 && at(n + 3) % 2 == 0 ? -1 : 0;
        q.day = static_cast<std::int16_t>(at(n + 4) << 8 | at(n + 5));
        q.week = (at(n + 6) & 1) != 0;
        searchOnce(file, q);
        q.lineIndex = static_cast<std::int32_t>(at(n + 7) % 8) - 1;
        searchOnce(file, q);
    }
}

void searchLines(const cJizdniRad& file) {
    if (!file.routes) {
        return;
    }
    const int kind = file.categories.stopsKind();
    const std::size_t elements =
        kind < 0 ? 0 : file.categories.elementCount(static_cast<std::size_t>(kind));
    for (std::size_t l = 0; l < file.routes->lineCount() && l < 8; ++l) {
        const std::string name = file.routes->line(l).name;
        for (std::size_t n = 0; n <= name.size() && n <= kLongestText; ++n) {
            StQuery q;
            q.lineText = std::string_view(name).substr(0, n);
            searchOnce(file, q);
        }
        for (std::size_t e = 0; e < elements && e < 12; ++e) {
            StQuery q;
            q.lineIndex = static_cast<std::int32_t>(l);
            q.fromValue = static_cast<std::int32_t>(e);
            q.day = file.trips.calendars().firstDay();
            q.week = true;
            searchOnce(file, q);
            q.toValue = static_cast<std::int32_t>((e + 1) % elements);
            searchOnce(file, q);
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
            current() = file;
            searchLines(*file);
        }
    } catch (const EngineException&) {
    }
    if (current()) {
        searchFromBytes(*current(), bytes);
    }
    return 0;
}
