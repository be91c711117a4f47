// The stops section: towns, stop groups, walking links between stops of the file, links to
// stops of other timetables, the stop records, the key table and (3.2 and later) coordinates.
#include <algorithm>
#include <string>
#include <utility>

#include "tools/jzwriter/DescriptionFields.h"
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

namespace {

using nlohmann::json;

constexpr std::uint16_t kNoTown = 0xFFFF;

struct Walk {
    std::uint16_t stop;
    std::uint8_t minutes;
};

struct Link {
    std::uint32_t key;
    std::uint8_t minutes;
    std::uint32_t town;
};

struct StopRecord {
    std::uint32_t name = 0;
    std::uint16_t passages = 0;
    std::uint16_t group = 0;
    std::uint16_t town = kNoTown;
    std::uint32_t firstWalk = 0;
    std::uint32_t walkCount = 0;
    std::uint32_t firstLink = 0;
    std::uint32_t linkCount = 0;
    double lat = 0;
    double lon = 0;
};

double coordinate(const json& s, const char* key, const std::string& where) {
    if (!s.contains(key)) {
        return 0;
    }
    if (!s.at(key).is_number()) {
        throw CompileError(where + "." + key + ": expected a number");
    }
    return s.at(key).get<double>();
}

// Marks the stops' note attachments at the end of the coordinates section ("STPN").
constexpr std::uint32_t kStopNotesTag = 0x5354504E;

class StopsWriter {
public:
    explicit StopsWriter(CompileContext& ctx) : ctx_(ctx) {}

    void write(ContentWriter& out) {
        const json& stops = arrayField(ctx_.doc, "stops", "description");
        for (std::size_t i = 0; i < stops.size(); ++i) {
            addStop(stops[i], i, "stops[" + std::to_string(i) + "]");
        }
        std::sort(keys_.begin(), keys_.end());
        for (std::size_t i = 1; i < keys_.size(); ++i) {
            if (keys_[i].first == keys_[i - 1].first) {
                throw CompileError("stops: key " + std::to_string(keys_[i].first) +
                                   " is given to two stops");
            }
        }

        out.skippedSection("stops");
        writeTowns(out);
        writeGroups(out);
        out.u32(static_cast<std::uint32_t>(walks_.size()));
        for (const Walk& w : walks_) {
            out.u16(w.stop);
            out.u8(w.minutes);
        }
        out.u32(static_cast<std::uint32_t>(links_.size()));
        for (const Link& l : links_) {
            out.u32(l.key);
            out.u8(l.minutes);
            out.u32(l.town);
        }
        out.u32(static_cast<std::uint32_t>(records_.size()));
        for (const StopRecord& r : records_) {
            out.u32(r.name);
            out.u16(r.passages);
            out.u16(r.group);
            out.u16(static_cast<std::uint16_t>(r.walkCount));
            out.u16(r.town);
            out.u16(static_cast<std::uint16_t>(r.firstWalk));
            out.u8(0);
            out.u32(r.firstLink);
            out.u8(static_cast<std::uint8_t>(r.linkCount));
        }
        out.u32(static_cast<std::uint32_t>(keys_.size()));
        for (const auto& k : keys_) {
            out.u32(k.first);
        }
        for (const auto& k : keys_) {
            out.u16(k.second);
        }
        writeCoordinates(out, stops);
    }

private:
    void writeTowns(ContentWriter& out) {
        const json& towns = arrayField(ctx_.doc, "towns", "description");
        out.u32(static_cast<std::uint32_t>(towns.size()));
        for (std::size_t i = 0; i < towns.size(); ++i) {
            std::string where = "towns[" + std::to_string(i) + "]";
            requireKnownFields(towns[i], {"id", "name"}, where);
            out.u32(ctx_.names.intern(requiredText(towns[i], "name", where)));
        }
    }

    void writeGroups(ContentWriter& out) {
        const json& groups = arrayField(ctx_.doc, "stopGroups", "description");
        if (implicitGroup_ && groups.size() >= 128) {
            throw CompileError("stops: a stop without a group needs a free group index");
        }
        out.skippedSection("stop groups");
        out.u32(0);  // the groups' value list; the description gives none
        out.u32(static_cast<std::uint32_t>(groups.size() + (implicitGroup_ ? 1 : 0)));
        for (std::size_t i = 0; i < groups.size(); ++i) {
            std::string where = "stopGroups[" + std::to_string(i) + "]";
            requireKnownFields(groups[i], {"id", "name", "value"}, where);
            out.u32(ctx_.names.intern(textField(groups[i], "name", where)));
            out.i8(static_cast<std::int8_t>(intField(groups[i], "value", where, -128, 127, 0)));
        }
        if (implicitGroup_) {
            out.u32(ctx_.names.intern(""));
            out.i8(0);
        }
        out.skippedSection("end of stop groups");
    }

    void writeCoordinates(ContentWriter& out, const json& stops) {
        out.beginSection();
        if (ctx_.atLeast(3, 2)) {
            bool any = false;
            for (const json& s : stops) {
                any = any || s.contains("lat") || s.contains("lon");
            }
            out.u8(any ? 1 : 0);
            if (any) {
                for (const StopRecord& r : records_) {
                    out.rawDouble(r.lat);
                    out.rawDouble(r.lon);
                }
            }
        }
        writeNoteAttachments(out);
        out.bytes(std::string_view("\x5a\xa5", 2));
        out.endSection();
    }

    // The stops' note attachments after the coordinates, only when a stop has notes, so
    // that a file without stop notes is laid out as before.
    void writeNoteAttachments(ContentWriter& out) {
        const auto& attachments = ctx_.stopNoteAttachments;
        if (std::all_of(attachments.begin(), attachments.end(),
                        [](std::uint32_t a) { return a == 0; })) {
            return;
        }
        if (!ctx_.atLeast(3, 2)) {
            throw CompileError("stops: stop notes need a file of version 3.2 or later");
        }
        out.u32(kStopNotesTag);
        for (const std::uint32_t a : attachments) {
            out.u32(a);
        }
    }

    void addStop(const json& s, std::size_t index, const std::string& where) {
        requireKnownFields(
            s, {"id", "name", "town", "group", "lat", "lon", "key", "walk", "links", "notes"},
            where);
        StopRecord r;
        r.name = ctx_.names.intern(requiredText(s, "name", where));
        if (index < ctx_.passageCountOfStop.size()) {
            if (ctx_.passageCountOfStop[index] > 0xFFFF) {
                throw CompileError(where + ": more than 65535 passages");
            }
            r.passages = static_cast<std::uint16_t>(ctx_.passageCountOfStop[index]);
        }
        if (s.contains("group")) {
            r.group = static_cast<std::uint16_t>(
                lookupId(ctx_.groupIndex, idField(s, "group", where), "stop group"));
        } else {
            implicitGroup_ = true;
            r.group = static_cast<std::uint16_t>(ctx_.groupIndex.size());
        }
        if (s.contains("town")) {
            r.town = static_cast<std::uint16_t>(
                lookupId(ctx_.townIndex, idField(s, "town", where), "town"));
        }
        r.lat = coordinate(s, "lat", where);
        r.lon = coordinate(s, "lon", where);
        if (s.contains("key")) {
            keys_.emplace_back(
                static_cast<std::uint32_t>(requiredInt(s, "key", where, 0, UINT32_MAX)),
                static_cast<std::uint16_t>(index));
        }

        const json& walks = arrayField(s, "walk", where);
        r.firstWalk = static_cast<std::uint32_t>(walks_.size());
        r.walkCount = static_cast<std::uint32_t>(walks.size());
        if (r.walkCount > 0xFFFF || (r.walkCount > 0 && r.firstWalk > 0xFFFF)) {
            throw CompileError(where + ".walk: the walking-link table outgrows its 16-bit indexes");
        }
        for (std::size_t i = 0; i < walks.size(); ++i) {
            std::string w = where + ".walk[" + std::to_string(i) + "]";
            requireKnownFields(walks[i], {"to", "minutes"}, w);
            walks_.push_back(
                Walk{static_cast<std::uint16_t>(
                         lookupId(ctx_.stopIndex, idField(walks[i], "to", w), "stop")),
                     static_cast<std::uint8_t>(requiredInt(walks[i], "minutes", w, 0, 255))});
        }

        const json& links = arrayField(s, "links", where);
        r.firstLink = static_cast<std::uint32_t>(links_.size());
        r.linkCount = static_cast<std::uint32_t>(links.size());
        if (r.linkCount > 255) {
            throw CompileError(where + ".links: more than 255 links");
        }
        for (std::size_t i = 0; i < links.size(); ++i) {
            std::string l = where + ".links[" + std::to_string(i) + "]";
            requireKnownFields(links[i], {"key", "minutes", "town"}, l);
            links_.push_back(
                Link{static_cast<std::uint32_t>(requiredInt(links[i], "key", l, 0, UINT32_MAX)),
                     static_cast<std::uint8_t>(requiredInt(links[i], "minutes", l, 0, 255)),
                     static_cast<std::uint32_t>(
                         lookupId(ctx_.townIndex, idField(links[i], "town", l), "town"))});
        }
        records_.push_back(r);
    }

    CompileContext& ctx_;
    std::vector<Walk> walks_;
    std::vector<Link> links_;
    std::vector<StopRecord> records_;
    std::vector<std::pair<std::uint32_t, std::uint16_t>> keys_;
    bool implicitGroup_ = false;
};

}  // namespace

void internStopNotes(CompileContext& ctx) {
    const json& stops = arrayField(ctx.doc, "stops", "description");
    ctx.stopNoteAttachments.assign(stops.size(), 0);
    for (std::size_t i = 0; i < stops.size(); ++i) {
        const json& notes = arrayField(stops[i], "notes", "stops[" + std::to_string(i) + "]");
        ctx.stopNoteAttachments[i] = internNoteIds(ctx, notes);
    }
}

void compileStops(CompileContext& ctx, ContentWriter& out) {
    StopsWriter(ctx).write(out);
}

}  // namespace jz
