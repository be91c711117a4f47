#pragma once
// The user's search parameters of one timetable of a loaded set, kept in the INI section named
// after the timetable's series name followed by "-setup" and applied to the engine whenever a
// set has been loaded. The options dialog edits a copy and commits it.
#include "app/core/EngineIni.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pelorvant {

// The standard window value that means "the engine's default".
inline constexpr std::int32_t kEngineDefaultWindow = -999;

struct SearchValues {
    std::int32_t stanpmh = 0;
    std::int32_t maxpmh = 0;
    std::int32_t minpmp = 0;
    std::int32_t bezppmh = 0;
    std::int32_t penzp = 0;
    std::int32_t maxpres = 0;
    std::int32_t smartListItems = 0;
    bool prvpres = false;
    friend bool operator==(const SearchValues&, const SearchValues&) = default;
};

struct SetSearchParams {
    std::u16string name;     // the series name
    std::u16string section;  // name + "-setup"
    std::int32_t set = -1;
    std::int32_t position = -1;
    SearchValues loaded;
    SearchValues edited;
    std::vector<std::int32_t> items;            // engine line-kind index of each sorted entry
    std::vector<std::u16string> lineKindNames;  // sorted in Czech order
    std::vector<bool> allowed;
    std::vector<bool> allowedEdited;

    void beginEdit();
    // Copies the edits back (maxpmh raised to stanpmh when lower) and saves them.
    void commitEdit(const EngineApi& api, const EngineIni& ini);
};

// Reads the section (engine values as defaults), sorts the line kinds, applies everything to
// the engine and writes the section back.
void loadSearchParams(SetSearchParams& record, const EngineApi& api, const EngineIni& ini,
                      std::u16string_view seriesName, std::int32_t set, std::int32_t position);
// Applies the loaded values to the engine and writes the section.
void saveSearchParams(const SetSearchParams& record, const EngineApi& api, const EngineIni& ini);

}  // namespace pelorvant
