#!/usr/bin/env python3
"""Writes resources/sample/sample.json, the bundled sample timetable.

The sample is the city network of Lipová nad Sázavou, an invented town: three tram lines and
five bus lines over about sixty stops, with weekday and weekend services. The network (stops,
lines, running times, headways, notes) is described by the tables below, which are the part
to maintain by hand; the script expands the headways into trips. The output is deterministic:
running the script twice gives the same bytes.

    tools/samplegen/make_sample.py [output.json]
"""

import json
import math
import os
import sys

# ---------------------------------------------------------------------------------------------
# Places: name, position in km east and north of the town centre, platforms.
# A place with several platforms becomes several stops sharing one name; the platform labels
# only make the stop ids readable.

CENTRE_LAT = 49.5008
CENTRE_LON = 15.4991

PLACES = [
    # id, name, x km, y km, platforms
    ("hlnad", "Hlavní nádraží", 0.00, -1.40, ["A", "B", "C", "D"]),
    ("autonad", "Autobusové nádraží", 0.35, -1.50, ["1", "2", "3"]),
    ("nadrazni", "Nádražní", 0.00, -0.90, ["1", "2"]),
    ("namir", "Náměstí Míru", 0.00, -0.20, ["1", "2", "3", "4"]),
    ("masaryk", "Masarykovo náměstí", 0.40, 0.10, ["1", "2"]),
    ("radnice", "Radnice", -0.30, 0.25, ["1", "2"]),
    ("zizkova", "Žižkova", 0.90, 0.30, ["1", "2"]),
    ("cechova", "Čechova", 1.40, 0.50, ["1", "2"]),
    ("uskoly", "U Školy", 1.90, 0.80, ["1", "2"]),
    ("nemocnice", "Nemocnice", 2.40, 1.20, ["1", "2"]),
    ("sidsever", "Sídliště Sever", 2.55, 2.00, ["1"]),
    ("sidjih", "Sídliště Jih", -0.60, -3.00, ["1", "2"]),
    ("jizni", "Jižní", -0.40, -2.40, ["1", "2"]),
    ("lidicka", "Lidická", -0.20, -1.90, ["1"]),
    ("divadlo", "Divadlo", -0.60, 0.00, ["1", "2"]),
    ("husova", "Husova", -1.10, 0.10, ["1"]),
    ("tyrsova", "Tyršova", -1.60, 0.30, ["1"]),
    ("sokolovna", "Sokolovna", -2.10, 0.50, ["1"]),
    ("vyhlidka", "Na Vyhlídce", -2.60, 0.90, ["1"]),
    ("lesnihrb", "Lesní hřbitov", -3.10, 1.40, ["1"]),
    ("zampark", "Zámecký park", 0.30, 0.80, ["1", "2"]),
    ("podzamkem", "Pod Zámkem", 0.50, 1.30, ["1"]),
    ("komenskeho", "Komenského", -0.40, -0.60, ["1"]),
    ("palackeho", "Palackého", 0.60, -0.50, ["1", "2"]),
    ("pivovar", "Pivovar", 0.90, -1.00, ["1"]),
    ("prumyslova", "Průmyslová", 1.60, -1.20, ["1", "2"]),
    ("strojirny", "Strojírny", 2.30, -1.60, ["1"]),
    ("przona", "Průmyslová zóna", 3.00, -1.90, ["1"]),
    ("sazavska", "Sázavská", -1.00, -1.00, ["1"]),
    ("nabrezi", "Nábřeží", -1.50, -0.50, ["1"]),
    ("privoz", "Přívoz", -2.00, -0.90, ["1"]),
    ("koupaliste", "Koupaliště", -2.40, -1.40, ["1"]),
    ("polni", "Polní", 1.00, 1.80, ["1"]),
    ("zahradky", "Zahrádky", 1.30, 2.40, ["1"]),
    ("horka", "Horka", 3.20, 0.80, ["1"]),
    ("vodarna", "Vodárna", 3.40, 1.60, ["1"]),
    ("obchcentrum", "Obchodní centrum", 1.20, -0.80, ["1"]),
    ("poliklinika", "Poliklinika", 0.90, -0.25, ["1"]),
    ("stadion", "Stadion", -0.90, 1.00, ["1"]),
    ("gymnazium", "Gymnázium", -0.50, 0.60, ["1"]),
    ("hrncirska", "Hrnčířská", -1.10, -2.60, ["1"]),
    ("kopaninska", "Kopaninská", -1.60, -2.90, ["1"]),
    ("dolnipred", "Dolní Předměstí", -0.60, -1.70, ["1"]),
    ("hasicska", "Hasičská", 2.00, 1.40, ["1"]),
]

# Stops where a vehicle stops only on request.
REQUEST_STOPS = {"vodarna-1", "lesnihrb-1", "kopaninska-1"}
# Stops with step-free access from the street.
STEP_FREE_STOPS = {"hlnad-A", "hlnad-B", "hlnad-C", "hlnad-D", "autonad-1", "autonad-2",
                   "autonad-3", "namir-1", "namir-2", "namir-3", "namir-4", "nemocnice-1",
                   "nemocnice-2", "poliklinika-1"}

# Walking links between nearby places (minutes), besides the ones between the platforms of
# one place, which the script adds itself.
WALKS = [
    ("hlnad", "autonad", 4),
    ("hlnad", "nadrazni", 6),
    ("namir", "masaryk", 4),
    ("namir", "radnice", 5),
    ("namir", "divadlo", 6),
    ("namir", "komenskeho", 5),
    ("masaryk", "zampark", 7),
    ("radnice", "gymnazium", 5),
    ("palackeho", "poliklinika", 5),
    ("zizkova", "poliklinika", 6),
    ("pivovar", "obchcentrum", 5),
    ("uskoly", "hasicska", 7),
    ("sidjih", "jizni", 8),
]

# ---------------------------------------------------------------------------------------------
# Lines. A route lists (place, platform outbound, platform inbound, minutes from the previous
# stop); the inbound trips run the route backwards with the same running times. A dwell at a
# stop (minutes) gives that stop a later departure than arrival.

LINES = [
    {
        "id": "T1", "kind": "tram", "name": "1",
        "route": [("sidjih", "1", "2", 0), ("jizni", "1", "2", 2), ("lidicka", "1", "1", 2),
                  ("hlnad", "A", "B", 2), ("nadrazni", "1", "2", 2), ("namir", "1", "2", 2),
                  ("masaryk", "1", "2", 1), ("zizkova", "1", "2", 2), ("cechova", "1", "2", 1),
                  ("uskoly", "1", "2", 2), ("nemocnice", "1", "2", 2), ("sidsever", "1", "1", 2)],
        "dwell": {"hlnad": 1, "namir": 1},
        "service": "tram-main", "stepFree": "every-other",
    },
    {
        "id": "T2", "kind": "tram", "name": "2",
        "route": [("lesnihrb", "1", "1", 0), ("vyhlidka", "1", "1", 2), ("sokolovna", "1", "1", 2),
                  ("tyrsova", "1", "1", 1), ("husova", "1", "1", 2), ("divadlo", "1", "2", 1),
                  ("namir", "3", "4", 2), ("palackeho", "1", "2", 2), ("pivovar", "1", "1", 2),
                  ("prumyslova", "1", "2", 2), ("strojirny", "1", "1", 2), ("przona", "1", "1", 2)],
        "dwell": {"namir": 1},
        "service": "tram", "stepFree": "every-other",
    },
    {
        "id": "T3", "kind": "tram", "name": "3",
        "route": [("koupaliste", "1", "1", 0), ("privoz", "1", "1", 2), ("nabrezi", "1", "1", 2),
                  ("sazavska", "1", "1", 2), ("komenskeho", "1", "1", 2), ("namir", "3", "4", 2),
                  ("masaryk", "1", "2", 1), ("zampark", "1", "2", 2), ("podzamkem", "1", "1", 2),
                  ("polni", "1", "1", 2), ("zahradky", "1", "1", 2)],
        "dwell": {"namir": 1},
        "service": "tram", "stepFree": "none",
    },
    {
        "id": "B11", "kind": "bus", "name": "11",
        "route": [("autonad", "1", "1", 0), ("hlnad", "C", "D", 2), ("palackeho", "1", "2", 3),
                  ("poliklinika", "1", "1", 2), ("zizkova", "1", "2", 2), ("cechova", "1", "2", 1),
                  ("hasicska", "1", "1", 3), ("horka", "1", "1", 3), ("vodarna", "1", "1", 2)],
        "dwell": {},
        "service": "bus", "stepFree": "all",
    },
    {
        "id": "B12", "kind": "bus", "name": "12",
        "route": [("sidjih", "2", "1", 0), ("hrncirska", "1", "1", 2), ("dolnipred", "1", "1", 3),
                  ("hlnad", "C", "D", 2), ("autonad", "2", "2", 1), ("obchcentrum", "1", "1", 3),
                  ("prumyslova", "1", "2", 2), ("strojirny", "1", "1", 2)],
        "dwell": {"hlnad": 1},
        "service": "bus", "stepFree": "all",
        # The last evening buses towards the station wait for the late train.
        "waitsAt": ("hlnad", "inbound", "20:30"),
    },
    {
        "id": "B14", "kind": "bus", "name": "14",
        "route": [("kopaninska", "1", "1", 0), ("hrncirska", "1", "1", 2), ("jizni", "1", "2", 3),
                  ("sazavska", "1", "1", 3), ("nabrezi", "1", "1", 2), ("divadlo", "1", "2", 3),
                  ("gymnazium", "1", "1", 2), ("stadion", "1", "1", 2)],
        "dwell": {},
        "service": "bus", "stepFree": "every-other",
    },
    {
        "id": "B15", "kind": "bus", "name": "15",
        "route": [("autonad", "3", "3", 0), ("pivovar", "1", "1", 3), ("obchcentrum", "1", "1", 2),
                  ("poliklinika", "1", "1", 2), ("masaryk", "1", "2", 2), ("radnice", "1", "2", 2),
                  ("gymnazium", "1", "1", 2), ("stadion", "1", "1", 2), ("vyhlidka", "1", "1", 4)],
        "dwell": {},
        "service": "bus", "stepFree": "all",
    },
    {
        "id": "B21", "kind": "bus", "name": "21",
        "route": [("nemocnice", "2", "1", 0), ("hasicska", "1", "1", 2), ("uskoly", "1", "2", 2),
                  ("polni", "1", "1", 3), ("podzamkem", "1", "1", 2), ("zampark", "1", "2", 2),
                  ("radnice", "2", "1", 2), ("husova", "1", "1", 2), ("tyrsova", "1", "1", 1),
                  ("sokolovna", "1", "1", 2)],
        "dwell": {},
        "service": "bus-weekday", "stepFree": "all",
    },
]

# Headways: per calendar, bands of (first departure, last departure, minutes between).
# Times are minutes after midnight of the service day; the late trams end after midnight.
SERVICES = {
    "tram-main": {
        "prac": [("4:30", "5:30", 15), ("5:37", "8:30", 7), ("8:40", "13:30", 10),
                 ("13:38", "17:30", 8), ("17:42", "20:06", 12), ("20:26", "23:46", 20)],
        "vikend": [("5:00", "7:30", 30), ("7:45", "19:45", 15), ("20:15", "23:45", 30)],
    },
    "tram": {
        "prac": [("4:40", "5:40", 20), ("5:50", "8:30", 8), ("8:42", "13:30", 12),
                 ("13:40", "17:30", 10), ("17:45", "20:00", 15), ("20:20", "23:40", 20)],
        "vikend": [("5:10", "7:40", 30), ("8:00", "19:40", 20), ("20:10", "23:40", 30)],
    },
    "bus": {
        "prac": [("5:00", "5:40", 20), ("5:50", "8:20", 10), ("8:35", "13:20", 15),
                 ("13:30", "17:20", 10), ("17:40", "19:40", 20), ("20:10", "23:10", 30)],
        "vikend": [("6:10", "23:10", 30)],
    },
    "bus-weekday": {
        "prac": [("5:15", "8:15", 15), ("8:45", "14:15", 30), ("14:30", "17:30", 15),
                 ("18:00", "19:30", 30)],
    },
}

# Running times grow by this many minutes per trip in the weekday rush hours.
RUSH_HOURS = [("6:30", "8:30"), ("14:30", "17:30")]

VALID_FROM = "2026-12-01"
VALID_TO = "2027-06-30"
# Public holidays within the validity that fall on working days: weekday trips do not run,
# the weekend timetable applies.
HOLIDAYS_ON_WORKDAYS = ["2026-12-24", "2026-12-25", "2027-01-01", "2027-03-26", "2027-03-29"]

# ---------------------------------------------------------------------------------------------


def minutes(hhmm):
    h, m = hhmm.split(":")
    return int(h) * 60 + int(m)


def hhmm(total):
    return "%d:%02d" % (total // 60, total % 60)


def stop_id(place, platform):
    return "%s-%s" % (place, platform)


def place_by_id():
    return {p[0]: p for p in PLACES}


def lat_lon(x_km, y_km):
    lat = CENTRE_LAT + y_km / 111.2
    lon = CENTRE_LON + x_km / (111.32 * math.cos(math.radians(CENTRE_LAT)))
    return round(lat, 6), round(lon, 6)


def platform_offset(index, count):
    """Platforms of one place stand a few tens of metres apart."""
    if count == 1:
        return 0.0, 0.0
    angle = 2 * math.pi * index / count
    return 0.03 * math.cos(angle), 0.03 * math.sin(angle)


def distance_km(a, b):
    return math.hypot(a[2] - b[2], a[3] - b[3])


# Czech alphabetical order for category elements: letters with a háček and "ch" are letters of
# their own, other accents only break ties.
CZECH_ORDER = "aábcčdďeéěfghiíjklmnňoópqrřsštťuúůvwxyýzž"
PRIMARY = {"á": "a", "ď": "d", "é": "e", "ě": "e", "í": "i", "ň": "n", "ó": "o", "ť": "t",
           "ú": "u", "ů": "u", "ý": "y"}


def czech_key(text):
    primary, secondary = [], []
    s = text.lower()
    i = 0
    while i < len(s):
        c = s[i]
        if s[i:i + 2] == "ch":
            primary.append((CZECH_ORDER.index("h") + 0.5,))
            secondary.append(0)
            i += 2
            continue
        base = PRIMARY.get(c, c)
        rank = CZECH_ORDER.index(base) if base in CZECH_ORDER else -1
        primary.append((rank, base) if rank < 0 else (rank,))
        secondary.append(0 if base == c else 1)
        i += 1
    return (primary, secondary)


def build_stops():
    places = place_by_id()
    stops = []
    walk = {}
    for pid, name, x, y, platforms in PLACES:
        for i, plat in enumerate(platforms):
            dx, dy = platform_offset(i, len(platforms))
            lat, lon = lat_lon(x + dx, y + dy)
            sid = stop_id(pid, plat)
            walk[sid] = []
            stop = {"id": sid, "name": name, "town": "lipova", "group": "mesto",
                    "lat": lat, "lon": lon, "key": 0}
            notes = []
            if sid in STEP_FREE_STOPS:
                notes.append("bb-stop")
            if sid in REQUEST_STOPS:
                notes.append("znameni")
            if notes:
                stop["notes"] = notes
            stops.append(stop)
        # Changing platforms at one place.
        for a in platforms:
            for b in platforms:
                if a != b:
                    minutes_apart = 2 if len(platforms) > 2 else 1
                    walk[stop_id(pid, a)].append({"to": stop_id(pid, b), "minutes": minutes_apart})
    for a, b, mins in WALKS:
        for pa in places[a][4]:
            for pb in places[b][4]:
                walk[stop_id(a, pa)].append({"to": stop_id(b, pb), "minutes": mins})
                walk[stop_id(b, pb)].append({"to": stop_id(a, pa), "minutes": mins})
    for n, stop in enumerate(stops):
        # Keys by which timetables of the region know the stop.
        stop["key"] = 7310000 + 10 * (n + 1)
        if walk[stop["id"]]:
            stop["walk"] = walk[stop["id"]]
    return stops


def build_categories(stops):
    by_name = {}
    for s in stops:
        by_name.setdefault(s["name"], []).append(s["id"])
    names = sorted(by_name, key=czech_key)
    return [
        {"name": "zastávky",
         "elements": [{"name": n, "stops": by_name[n]} for n in names]},
        {"name": "města a obce",
         "elements": [{"name": "Lipová nad Sázavou", "stops": [s["id"] for s in stops]}]},
    ]


def in_rush(start):
    return any(minutes(a) <= start < minutes(b) for a, b in RUSH_HOURS)


def departures(bands):
    out = []
    for first, last, every in bands:
        t = minutes(first)
        while t <= minutes(last):
            out.append(t)
            t += every
    return out


def route_distances_m(route):
    """Metres from the previous stop along the streets: the straight line plus a third."""
    places = place_by_id()
    out = [0]
    for prev, cur in zip(route, route[1:]):
        out.append(int(round(distance_km(places[prev[0]], places[cur[0]]) * 1333 / 10.0)) * 10)
    return out


def build_trip(line, calendar, start, outbound, number):
    route = line["route"] if outbound else list(reversed(line["route"]))
    dists = route_distances_m(route)
    # Running times of the inbound direction: the gap before stop i is the outbound gap
    # before the stop that follows it.
    if outbound:
        gaps = [r[3] for r in route]
    else:
        gaps = [0] + [r[3] for r in reversed(line["route"][1:])]
    slower = 1 if calendar == "prac" and in_rush(start) else 0
    stops = []
    t = start
    waits = line.get("waitsAt")
    for i, (place, plat_out, plat_in, _) in enumerate(route):
        if i > 0:
            t += gaps[i] + (slower if i % 3 == 0 else 0)
        entry = {"stop": stop_id(place, plat_out if outbound else plat_in)}
        dwell = line["dwell"].get(place, 0) if 0 < i < len(route) - 1 else 0
        if dwell:
            entry["arr"] = hhmm(t)
            t += dwell
        entry["dep"] = hhmm(t)
        if i > 0:
            entry["dist"] = dists[i]
        if i == 0:
            entry["alight"] = False
        if i == len(route) - 1:
            entry["board"] = False
        if (waits and waits[0] == place and not outbound and waits[1] == "inbound"
                and start >= minutes(waits[2])):
            entry["notes"] = ["ceka-vlak"]
        stops.append(entry)
    trip = {"line": line["id"], "calendar": calendar}
    step_free = line["stepFree"]
    if step_free == "all" or (step_free == "every-other" and number % 2 == 0):
        trip["notes"] = ["bb"]
    trip["stops"] = stops
    return trip


def build_trips():
    trips = []
    for line in LINES:
        service = SERVICES[line["service"]]
        for calendar in ("prac", "vikend"):
            if calendar not in service:
                continue
            times = departures(service[calendar])
            for outbound in (True, False):
                # The inbound trips leave their terminus a few minutes later.
                shift = 0 if outbound else 4
                for number, start in enumerate(times):
                    trips.append(build_trip(line, calendar, start + shift, outbound, number))
    return trips


def build_document():
    stops = build_stops()
    doc = {
        "version": "4.0",
        "header": {
            "title": "MHD Lipová nad Sázavou 26",
            "kind": "MHD",
            "texts": ["Městská hromadná doprava Lipová nad Sázavou",
                      "Lipová nad Sázavou",
                      "Platí od 1. 12. 2026 do 30. 6. 2027"],
            "validity": [{"from": VALID_FROM, "to": VALID_TO},
                         {"from": VALID_FROM, "to": VALID_TO}],
            "identifier": 412,
            "seriesName": "MHD Lipová nad Sázavou ??",
            "seriesNumber": 26,
            "hasCoordinates": True,
            "coordinatesExact": True,
        },
        "searchDefaults": {
            "standardWindow": 120,
            "maxWindow": 240,
            "minTransfer": 2,
            "safeTransfer": 4,
            "transferPenalty": 5,
            "transfers": 3,
            "walkingPace": 12,
            "walkingLimit": 10,
        },
        "notes": [
            {"id": "bb", "mark": "BB", "text": "spoj je bezbariérově přístupný"},
            {"id": "bb-stop", "mark": "BZ", "text": "bezbariérově přístupná zastávka"},
            {"id": "znameni", "mark": "x", "text": "zastávka na znamení"},
            {"id": "ceka-vlak", "mark": "Č", "text": "čeká na příjezd vlaku od Prahy"},
            {"id": "prac-text", "mark": "X", "text": "jede jen v pracovní dny"},
            {"id": "vikend-text", "mark": "+",
             "text": "jede v sobotu, v neděli a ve státem uznané svátky"},
        ],
        "towns": [{"id": "lipova", "name": "Lipová nad Sázavou"}],
        "stopGroups": [{"id": "mesto", "name": "Lipová nad Sázavou", "value": 0}],
        "stops": stops,
        "categories": build_categories(stops),
        "lineKinds": [
            {"id": "tram", "code": 1, "name": "Tram", "colour": "#D2232A"},
            {"id": "bus", "code": 2, "name": "Bus", "colour": "#1C5CA8"},
        ],
        "lineGroups": [{"id": "mhd", "name": ""}],
        "lines": [{"id": l["id"], "kind": l["kind"], "group": "mhd", "name": l["name"]}
                  for l in LINES],
        "calendars": [
            {"id": "prac", "from": VALID_FROM, "to": VALID_TO, "weekdays": "1111100",
             "except": HOLIDAYS_ON_WORKDAYS, "note": "prac-text"},
            {"id": "vikend", "from": VALID_FROM, "to": VALID_TO, "weekdays": "0000011",
             "extra": HOLIDAYS_ON_WORKDAYS, "note": "vikend-text"},
        ],
        "trips": build_trips(),
    }
    return doc


def dump(doc):
    """Readable JSON with one trip per line, so that a diff shows which trips changed."""
    parts = ["{\n"]
    keys = list(doc.keys())
    for k in keys:
        value = doc[k]
        if k == "trips":
            body = ",\n".join("    " + json.dumps(t, ensure_ascii=False, separators=(",", ":"))
                              for t in value)
            text = "[\n" + body + "\n  ]"
        elif k in ("stops",):
            body = ",\n".join("    " + json.dumps(s, ensure_ascii=False) for s in value)
            text = "[\n" + body + "\n  ]"
        else:
            text = json.dumps(value, ensure_ascii=False, indent=2).replace("\n", "\n  ")
        parts.append("  %s: %s%s\n" % (json.dumps(k), text, "," if k != keys[-1] else ""))
    parts.append("}\n")
    return "".join(parts)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(here, "..", "..", "resources", "sample", "sample.json")
    out = sys.argv[1] if len(sys.argv) > 1 else default_out
    doc = build_document()
    text = dump(doc)
    json.loads(text)  # the dump must stay valid JSON
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    n_stops = len(doc["stops"])
    n_events = sum(len(t["stops"]) for t in doc["trips"])
    print("%s: %d stops, %d names, %d lines, %d trips, %d stop events" % (
        os.path.normpath(out), n_stops, len({s["name"] for s in doc["stops"]}),
        len(doc["lines"]), len(doc["trips"]), n_events))


if __name__ == "__main__":
    main()
