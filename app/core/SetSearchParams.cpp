#include "app/core/SetSearchParams.h"

#include "app/core/Cp1250.h"
#include "app/core/TextConversion.h"

#include <utility>

namespace pelorvant {
namespace {

// The engine's current values of one timetable of a set.
SearchValues engineValues(const EngineApi& api, std::int32_t set, std::int32_t position) {
    SearchValues v;
    std::uint8_t prvpres = 0;
    api.api_GetStandardniPocetMinutHledani(set, position, &v.stanpmh);
    api.api_GetMaximalniPocetMinutHledani(set, position, &v.maxpmh);
    api.api_GetMinimalniPocetMinutNaPrestup(set, position, &v.minpmp);
    api.api_GetBezpecnyPocetMinutNaPrestup(set, position, &v.bezppmh);
    api.api_GetPenalizaceZaPrestup(set, position, &v.penzp);
    api.api_GetVychoziPocetPrestupu(set, position, &v.maxpres);
    api.api_GetMaxPocetVyslednychSpojeni(set, position, &v.smartListItems);
    api.api_GetNutnostPrestupuVzastavcePres(set, position, &prvpres);
    v.prvpres = prvpres != 0;
    return v;
}

void applyValues(const EngineApi& api, std::int32_t set, std::int32_t position, const SearchValues& v) {
    api.api_SetMaxPocetVyslednychSpojeni(set, position, v.smartListItems);
    api.api_SetStandardniPocetMinutHledani(set, position, v.stanpmh);
    api.api_SetMaximalniPocetMinutHledani(set, position, v.maxpmh);
    api.api_SetMinimalniPocetMinutNaPrestup(set, position, v.minpmp);
    api.api_SetBezpecnyPocetMinutNaPrestup(set, position, v.bezppmh);
    api.api_SetPenalizaceZaPrestup(set, position, v.penzp);
    api.api_SetNutnostPrestupuVzastavcePres(set, position, v.prvpres ? 1 : 0);
    api.api_SetVychoziPocetPrestupu(set, position, v.maxpres);
}

// A line kind is stored under its own name; a name the INI store cannot hold as a key (empty,
// with "=" or a line break, or with blanks at its ends, which the store trims away) is not
// stored and keeps the engine's flag.
bool storableKey(std::u16string_view name) {
    if (name.empty() || name.find_first_of(u"=\r\n") != std::u16string_view::npos) return false;
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    return !blank(name.front()) && !blank(name.back());
}

std::u16string replaceAll(std::u16string text, std::u16string_view from, std::u16string_view to) {
    for (std::size_t at = text.find(from); at != std::u16string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

}  // namespace

void SetSearchParams::beginEdit() {
    edited = loaded;
    allowedEdited = allowed;
}

void SetSearchParams::commitEdit(const EngineApi& api, const EngineIni& ini) {
    loaded = edited;
    if (loaded.maxpmh < loaded.stanpmh) loaded.maxpmh = loaded.stanpmh;
    if (allowedEdited.size() == allowed.size()) allowed = allowedEdited;
    saveSearchParams(*this, api, ini);
}

void loadSearchParams(SetSearchParams& record, const EngineApi& api, const EngineIni& ini,
                      std::u16string_view seriesName, std::int32_t set, std::int32_t position) {
    record.name = std::u16string(seriesName);
    record.section = record.name + u"-setup";
    record.set = set;
    record.position = position;
    const std::u16string& s = record.section;
    const SearchValues engine = engineValues(api, set, position);

    SearchValues& v = record.loaded;
    v.stanpmh = ini.readInt(s, u"stanpmh", kEngineDefaultWindow);
    if (v.stanpmh == kEngineDefaultWindow) {
        v.stanpmh = ini.readInt(replaceAll(s, u"??", u"08"), u"stanpmh", kEngineDefaultWindow);
        if (v.stanpmh == kEngineDefaultWindow) v.stanpmh = engine.stanpmh;
    }
    v.smartListItems = ini.readInt(s, u"smartListItems", engine.smartListItems);
    v.maxpmh = ini.readInt(s, u"maxpmh", engine.maxpmh);
    v.minpmp = ini.readInt(s, u"minpmp", engine.minpmp);
    v.bezppmh = ini.readInt(s, u"bezppmh", engine.bezppmh);
    v.penzp = ini.readInt(s, u"penzp", engine.penzp);
    v.prvpres = ini.readBool(s, u"prvpres", engine.prvpres);
    if (v.maxpmh < v.stanpmh) v.maxpmh = v.stanpmh;
    v.maxpres = ini.readInt(s, u"maxpres", engine.maxpres);

    record.items.clear();
    record.lineKindNames.clear();
    record.allowed.clear();
    std::int32_t count = 0;
    if (api.api_GetDruhyLinekLength(set, position, &count) != ENGINE_OK) count = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        char* raw = nullptr;
        std::int32_t length = 0;
        std::int32_t colour = 0;
        std::uint8_t mayUse = 1;
        const std::int32_t status = api.api_GetDruhLinky(set, position, i, &raw, &length, &colour, &mayUse);
        EngineOwned<char> name(raw);
        if (status != ENGINE_OK) continue;
        std::u16string kind = fromNarrowString(name.get(), length);
        const bool allowed = storableKey(kind) ? ini.readBool(s, kind, mayUse != 0) : mayUse != 0;
        record.items.push_back(i);
        record.lineKindNames.push_back(std::move(kind));
        record.allowed.push_back(allowed);
    }

    // Bubble the kinds into Czech order, carrying their engine indexes and flags along.
    const std::size_t n = record.lineKindNames.size();
    for (std::size_t pass = 0; pass < n; ++pass) {
        for (std::size_t i = 0; i + 1 < n; ++i) {
            if (collateCompare(toNarrowString(record.lineKindNames[i]), toNarrowString(record.lineKindNames[i + 1])) > 0) {
                std::swap(record.lineKindNames[i], record.lineKindNames[i + 1]);
                std::swap(record.items[i], record.items[i + 1]);
                const bool flag = record.allowed[i];
                record.allowed[i] = record.allowed[i + 1];
                record.allowed[i + 1] = flag;
            }
        }
    }
    saveSearchParams(record, api, ini);
    // The engine keeps each value within its range; what it took is what the user has.
    record.loaded = engineValues(api, set, position);
}

void saveSearchParams(const SetSearchParams& record, const EngineApi& api, const EngineIni& ini) {
    SearchValues v = record.loaded;
    applyValues(api, record.set, record.position, v);
    // Written back as the engine took them, so that a value out of range in the file heals.
    v = engineValues(api, record.set, record.position);
    if (v.maxpmh < v.stanpmh) {
        api.api_SetMaximalniPocetMinutHledani(record.set, record.position, v.stanpmh);
        v = engineValues(api, record.set, record.position);
    }
    for (std::size_t i = 0; i < record.items.size(); ++i) {
        api.api_SetLzePouzitDruhLinky(record.set, record.position, record.items[i], record.allowed[i] ? 1 : 0);
        if (!storableKey(record.lineKindNames[i])) continue;
        if (record.allowed[i]) {
            ini.removeKey(record.section, record.lineKindNames[i]);
        } else {
            ini.writeBool(record.section, record.lineKindNames[i], false);
        }
    }
    const std::u16string& s = record.section;
    ini.writeInt(s, u"smartListItems", v.smartListItems);
    ini.writeInt(s, u"stanpmh", v.stanpmh);
    ini.writeInt(s, u"maxpmh", v.maxpmh);
    ini.writeInt(s, u"minpmp", v.minpmp);
    ini.writeInt(s, u"bezppmh", v.bezppmh);
    ini.writeInt(s, u"penzp", v.penzp);
    ini.writeBool(s, u"prvpres", v.prvpres);
    ini.writeInt(s, u"maxpres", v.maxpres);
}

}  // namespace pelorvant
