#pragma once
// Test support for timetable sets: small timetable files compiled in the test and written to a
// temporary folder, scanned into an engine's header catalogue.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/data/EngineObject.h"
#include "tools/jzwriter/TimetableCompiler.h"

namespace trasovnik::testing {

// A folder of its own under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "sets-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "no temporary folder";
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// A timetable of two stops X1 and X2 (keys base + 1 and base + 2, in a town named after the
// title), categories "zastávky" (both stops) and "obce" (the town), a bus line and a train
// line, a bus trip X1-X2 carrying the note "SC" and a train trip back. `title` is also the
// series name (it holds no pair of digits).
inline nlohmann::json setFile(const std::string& title, int identifier, unsigned sourceCode = 0,
                              int keyBase = 100) {
    nlohmann::json doc = nlohmann::json::parse(R"({
      "version": "4.0",
      "container": { "plainBlocks": [7], "compressedBlockContent": 61 },
      "header": { "kind": "BUS", "texts": ["a", "b", "c"],
                  "validity": [{ "from": "2027-01-04", "to": "2027-01-10" },
                               { "from": "2027-01-04", "to": "2027-01-10" }] },
      "searchDefaults": { "standardWindow": 240, "maxWindow": 1440, "transfers": 3 },
      "notes": [{ "id": "sc", "mark": "SC", "text": "spoj s místenkou" },
                { "id": "m", "mark": "M", "text": "poznámka" }],
      "towns": [{ "id": "own", "name": "" }],
      "stopGroups": [{ "id": "g", "name": "G", "value": 1 }],
      "stops": [{ "id": "s1", "name": "X1", "town": "own", "group": "g" },
                { "id": "s2", "name": "X2", "town": "own", "group": "g" }],
      "categories": [{ "name": "zastávky", "elements": [{ "name": "X1", "stops": ["s1"] },
                                                       { "name": "X2", "stops": ["s2"] }] },
                     { "name": "obce", "elements": [{ "name": "", "stops": ["s1", "s2"] }] }],
      "lineKinds": [{ "id": "bus", "code": 2, "name": "Bus", "colour": "#102030" },
                    { "id": "vlak", "code": 1, "name": "Vlak", "colour": "#302010" }],
      "lineGroups": [{ "id": "g", "name": "" }],
      "lines": [{ "id": "L1", "kind": "bus", "group": "g", "name": "1" },
                { "id": "L2", "kind": "vlak", "group": "g", "name": "2" }],
      "calendars": [{ "id": "d", "from": "2027-01-04", "to": "2027-01-10" }],
      "trips": [
        { "line": "L1", "calendar": "d", "notes": ["sc"], "stops": [
          { "stop": "s1", "dep": "8:00" }, { "stop": "s2", "arr": "8:10", "dist": 900 } ] },
        { "line": "L2", "calendar": "d", "notes": ["m"], "stops": [
          { "stop": "s2", "dep": "9:00" }, { "stop": "s1", "arr": "9:10", "dist": 900 } ] }
      ]
    })");
    doc["header"]["title"] = title;
    doc["header"]["identifier"] = identifier;
    doc["header"]["sourceCode"] = sourceCode;
    doc["towns"][0]["name"] = title + " obec";
    doc["categories"][1]["elements"][0]["name"] = title + " obec";
    doc["stops"][0]["key"] = keyBase + 1;
    doc["stops"][1]["key"] = keyBase + 2;
    return doc;
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// An engine (with an INI store in the folder, or none) whose catalogue holds the given files.
class SetFixture : public ::testing::Test {
protected:
    // Compiles and writes the description as <name>.jz; returns its path.
    std::string addFile(const std::string& name, const nlohmann::json& doc) {
        const std::string path = folder.file(name + ".jz");
        writeBytes(path, jz::compileTimetable(doc));
        paths.push_back(path);
        return path;
    }
    // Makes the engine and scans the files added so far.
    cJizdniRadyGlobal& makeEngine(bool withIni = true) {
        std::optional<cJizdniRadyGlobal::IniFileNames> ini;
        if (withIni) {
            ini = cJizdniRadyGlobal::IniFileNames{folder.file("main.ini"), folder.file("temp.ini")};
        }
        engine = std::make_unique<cJizdniRadyGlobal>(ini);
        engine->catalogue().nactiHlavicky(paths);
        return *engine;
    }
    // The catalogue index of the file with this title.
    std::int32_t indexOf(const std::string& title) const {
        for (std::size_t i = 0; i < engine->catalogue().size(); ++i) {
            if (engine->catalogue().getHeader(i).title == title) {
                return static_cast<std::int32_t>(i);
            }
        }
        ADD_FAILURE() << "no file titled " << title;
        return -1;
    }
    const cPolozkaKatalogu& entryOf(const std::string& title) const {
        return engine->catalogue().entry(static_cast<std::size_t>(indexOf(title)));
    }
    SetLoadResult load(std::vector<std::int32_t> indexes,
                       platform::WindowHandle window = platform::kNullWindow) {
        return engine->nactiSestavu(indexes, window);
    }
    SetLoadResult loadTitles(const std::vector<std::string>& titles,
                             platform::WindowHandle window = platform::kNullWindow) {
        std::vector<std::int32_t> indexes;
        for (const std::string& t : titles) {
            indexes.push_back(indexOf(t));
        }
        return load(indexes, window);
    }

    TempFolder folder;
    std::vector<std::string> paths;
    std::unique_ptr<cJizdniRadyGlobal> engine;
};

}  // namespace trasovnik::testing
