// The category section: the stop pool and the kinds with their elements. Elements are
// written sorted by the engine's Czech collation, which its name lookup relies on.
#include <algorithm>
#include <string>

#include "engine/data/Cp1250Text.h"
#include "tools/jzwriter/DescriptionFields.h"
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

namespace {

using nlohmann::json;

constexpr std::size_t kLargestPoolOffset = 0x3FFFFF;

struct Element {
    std::string name;
    std::vector<std::uint16_t> stops;
    std::uint32_t value = 0;
};

}  // namespace

void compileCategories(CompileContext& ctx, ContentWriter& out) {
    const json& kinds = arrayField(ctx.doc, "categories", "description");
    std::vector<std::uint16_t> pool;
    ContentWriter body;
    body.u32(static_cast<std::uint32_t>(kinds.size()));
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        std::string where = "categories[" + std::to_string(k) + "]";
        requireKnownFields(kinds[k], {"name", "elements"}, where);
        body.u32(ctx.names.intern(requiredText(kinds[k], "name", where)));

        const json& items = arrayField(kinds[k], "elements", where);
        std::vector<Element> elements;
        for (std::size_t e = 0; e < items.size(); ++e) {
            std::string ew = where + ".elements[" + std::to_string(e) + "]";
            requireKnownFields(items[e], {"name", "stops", "value"}, ew);
            Element el;
            el.name = requiredText(items[e], "name", ew);
            el.value =
                static_cast<std::uint32_t>(intField(items[e], "value", ew, 0, UINT32_MAX, 0));
            const json& stops = arrayField(items[e], "stops", ew);
            if (stops.size() > 0xFFFF) {
                throw CompileError(ew + ".stops: more than 65535 stops");
            }
            for (const json& id : stops) {
                if (!id.is_string()) {
                    throw CompileError(ew + ".stops: expected stop ids");
                }
                el.stops.push_back(static_cast<std::uint16_t>(
                    lookupId(ctx.stopIndex, id.get<std::string>(), "stop")));
            }
            elements.push_back(std::move(el));
        }
        std::stable_sort(elements.begin(), elements.end(), [](const Element& a, const Element& b) {
            return trasovnik::collateCompare(a.name, b.name) < 0;
        });

        body.u32(static_cast<std::uint32_t>(elements.size()));
        for (const Element& el : elements) {
            if (pool.size() > kLargestPoolOffset) {
                throw CompileError(where + ": the stop pool outgrows its 22-bit offsets");
            }
            body.u32(ctx.names.intern(el.name));
            body.u32(static_cast<std::uint32_t>(pool.size()));
            body.u16(static_cast<std::uint16_t>(el.stops.size()));
            body.u32(el.value);
            pool.insert(pool.end(), el.stops.begin(), el.stops.end());
        }
    }

    out.skippedSection("categories");
    out.u32(static_cast<std::uint32_t>(pool.size()));
    for (std::uint16_t s : pool) {
        out.u16(s);
    }
    out.append(body);
    out.skippedSection("end of categories");
}

}  // namespace jz
