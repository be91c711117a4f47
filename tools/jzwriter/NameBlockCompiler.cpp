// The name block: the pair table and the packed entries that every other section referred
// to. Written last, once every section has interned its names.
#include "tools/jzwriter/SectionCompilers.h"

namespace jz {

void compileNameBlock(CompileContext& ctx, ContentWriter& out) {
    out.skippedSection("names");
    const auto& pairs = ctx.names.pairs();
    out.u8(pairs.empty() ? 0 : 1);
    if (!pairs.empty()) {
        out.u32(static_cast<std::uint32_t>(pairs.size()));
        for (const auto& p : pairs) {
            out.text(p.first);
        }
        for (const auto& p : pairs) {
            out.text(p.second);
        }
    }
    const auto& block = ctx.names.block();
    out.u32(static_cast<std::uint32_t>(block.size()));
    out.bytes(block);
    out.skippedSection("end of names");
}

}  // namespace jz
