#pragma once
// Test timetables: a small description compiled in the test, optionally with its trips or
// passages section altered before it is written, and helpers that load the result.

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFileReader.h"
#include "engine/data/TimetableFile.h"
#include "tools/jzwriter/CompileContext.h"
#include "tools/jzwriter/ContainerWriter.h"
#include "tools/jzwriter/SectionCompilers.h"
#include "tools/jzwriter/TimetableCompiler.h"
#include "tools/jzwriter/TripLayout.h"

namespace trasovnik::testing {

// Three stops A, B, C of two groups; line L1 ("Bus", own name "1"); calendar "d" runs from
// 2027-01-04 (day 8404, a Monday) to 2027-01-10 on weekdays, except 2027-01-06. Trip 0 runs
// A-B-C at 8:00 with the note "n1", trip 1 runs back C-B-A at 9:00.
inline nlohmann::json smallDescription() {
    return nlohmann::json::parse(R"({
      "version": "4.0",
      "container": { "plainBlocks": [3, 11], "compressedBlockContent": 53 },
      "header": { "title": "Test 01", "kind": "BUS", "texts": ["a", "b", "c"],
                  "validity": [{ "from": "2027-01-04", "to": "2027-01-10" },
                               { "from": "2027-01-04", "to": "2027-01-10" }],
                  "identifier": 9 },
      "notes": [{ "id": "n1", "mark": "M", "text": "poznámka" },
                { "id": "n2", "mark": "P", "text": "u zastávky" },
                { "id": "cal", "mark": "K", "text": "jede v pracovní dny" }],
      "towns": [{ "id": "t", "name": "Obec" }],
      "stopGroups": [{ "id": "g1", "name": "G1", "value": 1 }, { "id": "g2", "name": "G2", "value": 2 }],
      "stops": [{ "id": "A", "name": "Alfa", "town": "t", "group": "g1", "key": 1 },
                { "id": "B", "name": "Beta", "town": "t", "group": "g1", "key": 2 },
                { "id": "C", "name": "Gama", "town": "t", "group": "g2", "key": 3 }],
      "categories": [{ "name": "zastávky", "elements": [{ "name": "Alfa", "stops": ["A"] }] }],
      "lineKinds": [{ "id": "bus", "code": 2, "name": "Bus", "colour": "#102030" }],
      "lineGroups": [{ "id": "g", "name": "" }],
      "lines": [{ "id": "L1", "kind": "bus", "group": "g", "name": "1" }],
      "calendars": [{ "id": "d", "from": "2027-01-04", "to": "2027-01-10", "weekdays": "1111100",
                      "except": ["2027-01-06"], "note": "cal" }],
      "trips": [
        { "line": "L1", "calendar": "d", "notes": ["n1"], "stops": [
          { "stop": "A", "dep": "8:00" }, { "stop": "B", "dep": "8:07", "dist": 500, "notes": ["n2"] },
          { "stop": "C", "arr": "8:15", "dist": 700 } ] },
        { "line": "L1", "calendar": "d", "stops": [
          { "stop": "C", "dep": "9:00" }, { "stop": "B", "dep": "9:08", "dist": 700, "notes": ["n2"] },
          { "stop": "A", "arr": "9:15", "dist": 500 } ] }
      ]
    })");
}

inline constexpr int kSmallFirstDay = 8404;  // 2027-01-04, a Monday

struct Alterations {
    std::function<void(jz::TripLayout&)> trips;
    std::function<void(jz::PassageSection&)> passages;
};

// The file of `doc`, laid out as the compiler does, with the alterations applied to the
// trips and passages sections before they are written.
inline std::vector<std::uint8_t> compileAltered(const nlohmann::json& doc,
                                                const Alterations& alter = {}) {
    jz::ContainerOptions options = jz::containerOptionsOf(doc);
    jz::CompileContext ctx{doc};
    ctx.major = static_cast<int>(options.major);
    ctx.minor = static_cast<int>(options.minor);
    jz::indexSourceObjects(ctx);
    jz::prepareTrips(ctx);

    jz::ContentWriter header, defaults, notes, stops, categories, trips, passages, nameBlock;
    jz::compileHeader(ctx, header);
    jz::compileSearchDefaults(ctx, defaults);
    jz::compileNotes(ctx, notes);
    jz::compileStops(ctx, stops);
    jz::compileCategories(ctx, categories);
    jz::TripLayout layout = jz::layoutTrips(ctx);
    jz::PassageSection passageSection = jz::layoutPassageSection(layout);
    if (alter.trips) {
        alter.trips(layout);
    }
    if (alter.passages) {
        alter.passages(passageSection);
    }
    jz::writeTripsSection(ctx, layout, trips);
    jz::writePassageSection(passageSection, passages);
    jz::compileNameBlock(ctx, nameBlock);

    jz::ContentWriter content;
    for (const jz::ContentWriter* part :
         {&header, &defaults, &nameBlock, &notes, &stops, &categories, &trips, &passages}) {
        content.append(*part);
    }
    content.skippedSection("end");
    return jz::writeContainer(content, options);
}

// Records progress; once `cancelAt` has been reported the user has cancelled (the flag stays
// set), as when the cancel button is pressed while that percentage is shown.
struct RecordingObserver : LoadObserver {
    std::vector<int> seen;
    int cancelAt = -1;
    bool flag = false;
    int questions = 0;  // cancel checks after the flag was set
    void progress(int percent) override {
        seen.push_back(percent);
        flag = flag || percent == cancelAt;
    }
    bool cancelled() override {
        questions += flag ? 1 : 0;
        return flag;
    }
};

inline std::unique_ptr<cJizdniRad> load(std::vector<std::uint8_t> bytes) {
    LoadObserver quiet;
    return loadTimetableBytes(std::move(bytes), quiet);
}

inline std::vector<std::uint8_t> readFixture(const std::string& name) {
    std::ifstream in(std::string(TRASA_FIXTURE_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace trasovnik::testing
