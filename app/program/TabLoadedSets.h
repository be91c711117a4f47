#pragma once
// The tabs' loaded sets as the main frame's tab host holds them (LoadedSets for the views).
#include "app/core/LoadedSets.h"
#include "app/core/ProgramContext.h"

namespace pelorvant {

class cTabHost;

class TabLoadedSets final : public LoadedSets {
public:
    // The host and the context must outlive the object.
    TabLoadedSets(cTabHost& host, const ProgramContext& context) : host_(host), context_(context) {}

    // The active tab keeps its view (the installed-files view that deleted the file); every
    // other tab shows the set choice when it is shown next. Each dropped tab is titled as a
    // new tab is.
    std::vector<std::u16string> dropSetsUsing(
        const std::vector<std::int32_t>& catalogueIndexes) override;

private:
    cTabHost& host_;
    const ProgramContext& context_;
};

}  // namespace pelorvant
