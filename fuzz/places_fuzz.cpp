// Loads a timetable from arbitrary bytes and walks what the place choice and the listings
// read: the header, names, notes and their attachments, stops with their links and positions,
// the categories with their name search, and the line names. Every failure must be an engine
// failure; a crash, a hang or a sanitizer report is a fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/data/EngineException.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFile.h"

namespace {

using namespace trasovnik;

void walkNotes(const cJizdniRad& jr) {
    auto links = jr.noteLinks();
    for (std::size_t a = 0; a < jr.notes.attachments().size(); ++a) {
        for (std::uint16_t n : links.notesOf(static_cast<std::uint32_t>(a))) {
            (void)links.mark(n);
            (void)links.text(n);
        }
        (void)links.firstKindNotes(static_cast<std::uint32_t>(a));
    }
    (void)jr.notes.findByMark(jr.names, "SC");
}

void walkStops(const cJizdniRad& jr) {
    const cZastavky& stops = jr.stops;
    for (std::size_t s = 0; s < stops.stopCount(); ++s) {
        (void)stops.name(jr.names, s);
        (void)stops.groupName(jr.names, s);
        (void)stops.groupValue(s);
        if (stops.townOf(s) != cZastavky::kNoTown) {
            (void)stops.townName(jr.names, stops.townOf(s));
        }
        for (const cPesiPrechod& w : stops.walkingLinks(s)) {
            (void)stops.name(jr.names, w.stop);
        }
        for (const cOdkazZastavky& l : stops.links(s)) {
            (void)stops.townName(jr.names, l.town);
            (void)stops.findByKey(l.key);
        }
    }
    if (stops.stopCount() > 0) {
        cPoloha p = stops.position(0);
        (void)stops.stopsWithin(p.latitude, p.longitude, 5000);
    }
}

void walkCategories(const cJizdniRad& jr) {
    const cKategorie& c = jr.categories;
    for (std::size_t k = 0; k < c.kindCount(); ++k) {
        (void)c.kindName(jr.names, k);
        for (std::size_t e = 0; e < c.elementCount(k); ++e) {
            std::string name(c.elementName(jr.names, k, e));
            (void)c.copyIndexList(k, e);
            (void)c.findEntriesByPrefix(jr.names, k, name);
            if (!name.empty()) {
                name.pop_back();
                (void)c.findEntriesByPrefix(jr.names, k, name);
            }
        }
    }
}

void walkLines(const cJizdniRad& jr) {
    const cLinky& lines = jr.trips.lines();
    auto links = jr.noteLinks();
    for (std::size_t l = 0; l < lines.lineCount() && l < lines.lineNameCount(); ++l) {
        (void)lines.lineName(l, l, 0, links);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LoadObserver observer;
    try {
        auto jr = loadTimetableBytes(std::vector<std::uint8_t>(data, data + size), observer);
        if (jr) {
            walkNotes(*jr);
            walkStops(*jr);
            walkCategories(*jr);
            walkLines(*jr);
        }
    } catch (const EngineException&) {
    }
    return 0;
}
