#pragma once
// A readable text of everything the engine reads from a timetable file: the header, the
// search defaults and SMS tickets, the counts of every table, notes, stops with towns and
// coordinates, category kinds and elements, lines with display names, calendars and every
// trip's times at its stops. Texts are converted from Windows-1250 to UTF-8. Used by jzdump
// and by the tests that compare a compiled description with its expected text.

#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>

#include "engine/data/Cp1250Text.h"
#include "engine/data/DayNumber.h"
#include "engine/data/TimetableFile.h"

namespace jzdump {

inline std::string utf8(std::string_view cp1250) {
    return trasovnik::cp1250ToUtf8(cp1250);
}

// Named so that argument-dependent lookup never prefers std::quoted.
inline std::string shown(std::string_view cp1250) {
    return "\"" + utf8(cp1250) + "\"";
}

inline std::string dateText(int day) {
    trasovnik::CalendarDate d = trasovnik::dayNumberToDate(static_cast<std::int16_t>(day));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year, d.month, d.day);
    return std::to_string(day) + " (" + buf + ")";
}

// Minutes from midnight of the start day as H:MM; hours pass 24 on later days.
inline std::string timeText(int minutes) {
    char buf[24];
    const char* sign = minutes < 0 ? "-" : "";
    int m = minutes < 0 ? -minutes : minutes;
    std::snprintf(buf, sizeof buf, "%s%d:%02d", sign, m / 60, m % 60);
    return buf;
}

inline void dumpHeader(std::ostream& o, const trasovnik::cJizdniRad& jr) {
    const trasovnik::cHlavicka& h = jr.header;
    o << "header\n";
    o << "  title " << shown(h.title) << "\n";
    o << "  series " << shown(h.seriesName) << " number " << h.seriesNumber << "\n";
    o << "  texts " << shown(h.firstText) << " " << shown(h.secondText) << " " << shown(h.thirdText)
      << "\n";
    o << "  kind " << shown(h.kind) << " city " << int(h.cityFlag) << " common "
      << int(h.commonKindFlag) << " not-bus " << int(h.notBusFlag) << "\n";
    o << "  identifier " << h.identifier << " flag-a " << int(h.flagA) << " sort-key " << h.sortKey
      << " source " << h.sourceCode << " code-class " << h.codeClass << "\n";
    o << "  validity " << dateText(h.firstValidFrom) << " .. " << dateText(h.firstValidTo) << ", "
      << dateText(h.secondValidFrom) << " .. " << dateText(h.secondValidTo) << "\n";
    o << "  codes";
    for (auto c : h.codes) {
        o << " " << c;
    }
    o << "\n  values";
    for (auto v : h.values) {
        o << " " << v;
    }
    o << "\n  coordinates " << int(h.hasCoordinates) << " exact " << int(h.coordinatesExact)
      << "\n";
}

inline void dumpDefaults(std::ostream& o, const trasovnik::cJizdniRad& jr) {
    const trasovnik::SearchDefaults& d = jr.defaults;
    o << "search defaults\n";
    o << "  windows " << d.standardWindow << " " << d.maximumWindow << " results "
      << d.maxResultConnections << "\n";
    o << "  transfer minimum " << int(d.minimumTransfer) << " safe " << int(d.safeTransfer)
      << " penalty " << int(d.transferPenalty) << " required-at-via " << d.transferRequiredAtVia
      << " default-count " << d.defaultTransfers << "\n";
    o << "  further " << d.furtherValue1 << " " << d.furtherValue2 << " sc-marking "
      << d.useScMarking << "\n";
    o << "  walking pace " << d.walkingPace << " limit " << d.walkingLimit << "\n";
    o << "sms tickets " << jr.smsTickets.count() << "\n";
    for (std::size_t i = 0; i < jr.smsTickets.count(); ++i) {
        const trasovnik::cSmsJizdenka& t = jr.smsTickets.at(i);
        o << "  [" << i << "] " << shown(jr.names.entryText(t.firstText)) << " price "
          << t.priceHundredths / 100 << "." << (t.priceHundredths % 100 < 10 ? "0" : "")
          << t.priceHundredths % 100 << " " << shown(jr.names.entryText(t.secondText)) << " "
          << shown(jr.names.entryText(t.thirdText)) << "\n";
    }
}

inline void dumpCounts(std::ostream& o, const trasovnik::cJizdniRad& jr) {
    const trasovnik::cSpoje& s = jr.trips;
    o << "counts\n";
    o << "  name-block bytes " << jr.names.block().size() << " pairs " << jr.names.pairs().size()
      << "\n";
    o << "  notes " << jr.notes.noteCount() << " attachments " << jr.notes.attachments().size()
      << " pool " << jr.notes.pool().size() << "\n";
    o << "  towns " << jr.stops.townCount() << " stop-groups " << jr.stops.groupCount() << " stops "
      << jr.stops.stopCount() << "\n";
    o << "  category kinds " << jr.categories.kindCount() << " stops-kind "
      << jr.categories.stopsKind() << "\n";
    o << "  line kinds " << s.lines().kindCount() << " groups " << s.lines().groupCount()
      << " lines " << s.lines().lineCount() << " line-names " << s.lines().lineNameCount() << "\n";
    o << "  routes " << s.routeCount() << " stop-items " << s.stopItemCount() << " calendars "
      << s.calendars().count() << " validity " << s.validityCount() << "\n";
    o << "  patterns packed " << s.patterns().packedCount() << " plain "
      << s.patterns().plainCount() << " trips " << s.tripCount() << "\n";
    o << "  passage rows " << jr.passages.rowCount() << " declared passages "
      << jr.passages.declaredPassages() << "\n";
}

inline void dumpNotes(std::ostream& o, const trasovnik::cJizdniRad& jr) {
    o << "notes\n";
    for (std::size_t n = 0; n < jr.notes.noteCount(); ++n) {
        o << "  [" << n << "] " << shown(jr.notes.noteMark(jr.names, n)) << " "
          << shown(jr.notes.noteText(jr.names, n)) << (jr.notes.isKind(n) ? " kind" : "") << "\n";
    }
}

inline void dumpStops(std::ostream& o, const trasovnik::cJizdniRad& jr) {
    const trasovnik::cZastavky& st = jr.stops;
    o << "stops\n";
    for (std::size_t s = 0; s < st.stopCount(); ++s) {
        o << "  [" << s << "] " << shown(st.name(jr.names, s));
        std::uint16_t town = st.townOf(s);
        if (town != trasovnik::cZastavky::kNoTown) {
            o << " town " << shown(st.townName(jr.names, town));
        }
        o << " group " << st.groupIndex(s) << " value " << st.groupValue(s) << " passages "
          << st.passageCount(s);
        if (st.hasCoordinates()) {
            char buf[64];
            trasovnik::cPoloha p = st.position(s);
            std::snprintf(buf, sizeof buf, " at %.6f %.6f", p.latitude, p.longitude);
            o << buf;
        }
        const auto notes = jr.stopNotes(s);
        if (!notes.empty()) {
            o << " notes";
            for (const std::uint16_t n : notes) {
                o << " " << n;
            }
        }
        o << "\n";
        for (const trasovnik::cPesiPrechod& w : st.walkingLinks(s)) {
            o << "    walk to " << w.stop << " " << int(w.minutes) << " min\n";
        }
        for (const trasovnik::cOdkazZastavky& l : st.links(s)) {
            o << "    link key " << l.key << " " << int(l.value) << " min town " << l.town << "\n";
        }
    }
}

inline void dumpCategories(std::ostream& o, const trasovnik::cJizdniRad& jr) {
    const trasovnik::cKategorie& c = jr.categories;
    o << "categories\n";
    for (std::size_t k = 0; k < c.kindCount(); ++k) {
        o << "  kind [" << k << "] " << shown(c.kindName(jr.names, k)) << "\n";
        for (std::size_t e = 0; e < c.elementCount(k); ++e) {
            o << "    " << shown(c.elementName(jr.names, k, e)) << " value "
              << c.element(k, e).value << " stops";
            for (std::uint16_t s : c.stopsOf(k, e)) {
                o << " " << s;
            }
            o << "\n";
        }
    }
}

inline void dumpLines(std::ostream& o, const trasovnik::cJizdniRad& jr) {
    const trasovnik::cLinky& l = jr.trips.lines();
    o << "line kinds\n";
    for (std::size_t k = 0; k < l.kindCount(); ++k) {
        o << "  [" << k << "] code " << l.kind(k).code << " " << shown(l.kind(k).name) << " colour "
          << l.kind(k).colour << "\n";
    }
    o << "lines\n";
    for (std::size_t i = 0; i < l.lineCount(); ++i) {
        o << "  [" << i << "] kind " << int(l.line(i).kind) << " group "
          << shown(l.groupName(l.line(i).group));
        if (i < l.lineNameCount()) {
            o << " name " << shown(l.lineOwnName(i)) << " display "
              << shown(l.lineName(i, i, 0, jr.noteLinks()));
        }
        o << "\n";
    }
}

inline void dumpCalendars(std::ostream& o, const trasovnik::cJizdniRad& jr) {
    const trasovnik::cKalendare& k = jr.trips.calendars();
    o << "calendars " << dateText(k.firstDay()) << " .. " << dateText(k.lastDay()) << " base "
      << k.baseDay() << "\n";
    for (std::size_t c = 0; c < k.count(); ++c) {
        o << "  [" << c << "] " << shown(k.noteText(c, jr.names)) << " runs";
        int days = 0;
        for (int d = k.firstDay(); d <= k.lastDay(); ++d) {
            if (k.isDayValid(c, d)) {
                if (days < 10) {
                    o << " " << d;
                }
                ++days;
            }
        }
        o << (days > 10 ? " ..." : "") << " (" << days << " days)\n";
    }
}

inline void dumpTrips(std::ostream& o, const trasovnik::cJizdniRad& jr) {
    const trasovnik::cSpoje& s = jr.trips;
    auto links = jr.noteLinks();
    o << "trips\n";
    for (std::size_t t = 0; t < s.tripCount(); ++t) {
        const trasovnik::cSpoj& trip = s.trip(t);
        o << "  trip " << t << " " << shown(s.lineNameOfTrip(t, links)) << " calendar "
          << s.calendarOfTrip(t) << " route " << trip.route() << "+" << int(trip.firstOffset)
          << (trip.reversed() ? " reversed" : "") << (trip.noRideWithinGroup() ? " no-ride" : "")
          << " patterns " << trip.arrivalPattern << "/" << trip.departurePattern
          << (s.patterns().isPacked(trip.departurePattern) ? " packed" : " plain");
        for (std::uint16_t n : s.tripNotes(t, links)) {
            o << " note " << n;
        }
        o << "\n";
        for (std::size_t p = 0; p < trip.stopCount; ++p) {
            o << "    " << p << " " << shown(jr.stops.name(jr.names, s.stopAt(t, p))) << " "
              << timeText(s.arrivalTime(t, p)) << " " << timeText(s.departureTime(t, p))
              << (s.canBoard(t, p) ? " board" : "") << (s.canAlight(t, p) ? " alight" : "") << " m "
              << s.distanceTo(t, p);
            for (std::uint16_t n : s.notesOfPassage(t, p, links)) {
                o << " note " << n;
            }
            o << "\n";
        }
    }
}

inline std::string dumpTimetable(const trasovnik::cJizdniRad& jr) {
    std::ostringstream o;
    dumpHeader(o, jr);
    dumpDefaults(o, jr);
    dumpCounts(o, jr);
    dumpNotes(o, jr);
    dumpStops(o, jr);
    dumpCategories(o, jr);
    dumpLines(o, jr);
    dumpCalendars(o, jr);
    dumpTrips(o, jr);
    if (jr.routes) {
        o << "line routes\n";
        for (std::size_t l = 0; l < jr.routes->lineCount(); ++l) {
            const trasovnik::cLinkaTras& line = jr.routes->line(l);
            o << "  line " << l << " " << shown(line.name) << " kind " << shown(line.kindName)
              << " trips " << line.trips.size() << " largest " << line.largestRoute << "\n";
            for (const trasovnik::cTrasaLinky& r : line.routes) {
                o << "    route " << r.routeRecord << "+" << int(r.firstOffset) << " stops "
                  << int(r.stopCount) << (r.reversed ? " reversed" : "") << " from " << r.firstStop
                  << " to " << r.lastStop << " trips";
                for (std::uint32_t t : r.trips) {
                    o << " " << t;
                }
                o << "\n";
            }
        }
    }
    return o.str();
}

}  // namespace jzdump
