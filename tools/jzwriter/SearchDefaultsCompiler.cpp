// The file's search defaults and, for files of version 3.3 and later, the section with the
// walking pace, the walking limit and the SMS tickets.
#include <algorithm>
#include <iterator>
#include <string>

#include "tools/jzwriter/SectionCompilers.h"
#include "tools/jzwriter/TextEncoding.h"

namespace jz {

namespace {

using nlohmann::json;

template <typename T>
T bounded(const json& d, const char* key, T fallback, long long lo, long long hi) {
    if (!d.contains(key)) {
        return fallback;
    }
    long long v = d.at(key).get<long long>();
    if (v < lo || v > hi) {
        throw CompileError(std::string("searchDefaults.") + key + ": " + std::to_string(v) +
                           " lies outside " + std::to_string(lo) + ".." + std::to_string(hi));
    }
    return static_cast<T>(v);
}

constexpr long long kI32Min = -2147483648LL, kI32Max = 2147483647LL, kU32Max = 4294967295LL;

}  // namespace

void compileSearchDefaults(CompileContext& ctx, ContentWriter& out) {
    const json d = ctx.doc.value("searchDefaults", json::object());
    const json tickets = ctx.doc.value("smsTickets", json::array());
    const bool walkingSection = ctx.atLeast(3, 3);
    static const char* const kKnown[] = {
        "standardWindow",  "maxWindow",     "minTransfer",   "safeTransfer",
        "transferPenalty", "furtherValue1", "furtherValue2", "transferRequiredAtVia",
        "useScMarking",    "transfers",     "walkingPace",   "walkingLimit"};
    for (const auto& [key, value] : d.items()) {
        if (std::find(std::begin(kKnown), std::end(kKnown), key) == std::end(kKnown)) {
            throw CompileError("searchDefaults: unknown field \"" + key + "\"");
        }
    }

    out.i32(bounded<std::int32_t>(d, "standardWindow", 240, kI32Min, kI32Max));
    out.i32(bounded<std::int32_t>(d, "maxWindow", 1440, kI32Min, kI32Max));
    out.u8(bounded<std::uint8_t>(d, "minTransfer", 2, 0, 255));
    out.u8(bounded<std::uint8_t>(d, "safeTransfer", 5, 0, 255));
    out.u8(bounded<std::uint8_t>(d, "transferPenalty", 10, 0, 255));
    out.u32(bounded<std::uint32_t>(d, "furtherValue1", 0, 0, kU32Max));
    out.u32(bounded<std::uint32_t>(d, "furtherValue2", 0, 0, kU32Max));
    out.u8(d.value("transferRequiredAtVia", false) ? 1 : 0);
    out.u8(d.value("useScMarking", false) ? 1 : 0);
    out.i32(bounded<std::int32_t>(d, "transfers", 3, kI32Min, kI32Max));

    out.beginSection();
    if (walkingSection) {
        out.i32(bounded<std::int32_t>(d, "walkingPace", 15, kI32Min, kI32Max));
        out.i32(bounded<std::int32_t>(d, "walkingLimit", ctx.cityFile ? 10 : 40, kI32Min, kI32Max));
        out.u32(static_cast<std::uint32_t>(tickets.size()));
        for (std::size_t i = 0; i < tickets.size(); ++i) {
            const json& t = tickets[i];
            std::string where = "smsTickets[" + std::to_string(i) + "]";
            auto text = [&](const char* key) {
                return ctx.names.intern(toCp1250(t.value(key, std::string()), where + "." + key));
            };
            long long price = t.value("priceHundredths", 0LL);
            if (price < 0 || price > kU32Max) {
                throw CompileError(where + ".priceHundredths: out of range");
            }
            out.u32(text("text1"));
            out.u32(static_cast<std::uint32_t>(price));
            out.u32(text("text2"));
            out.u32(text("text3"));
        }
    } else if (d.contains("walkingPace") || d.contains("walkingLimit") || !tickets.empty()) {
        throw CompileError(
            "searchDefaults: walking pace, walking limit and SMS tickets need version 3.3 or "
            "later");
    }
    // Bytes the loader skips: its section ends wherever it stopped reading.
    out.bytes(std::string_view("\x5a\xa5", 2));
    out.endSection();
}

}  // namespace jz
