#include "app/program/TabLoadedSets.h"

#include "app/program/tabs/TabHost.h"
#include "app/program/tabs/TabPage.h"

#include "platform/resources/StringTable.h"

#include <algorithm>

namespace pelorvant {

std::vector<std::u16string> TabLoadedSets::dropSetsUsing(
    const std::vector<std::int32_t>& catalogueIndexes) {
    std::vector<std::u16string> dropped;
    for (std::size_t i = 0; i < host_.pages.size(); ++i) {
        cTabPage& page = *host_.pages[i];
        const std::int32_t set = page.setIndex();
        if (set < 0)
            continue;
        const TimetableData& data = *context_.data;
        const std::vector<std::int32_t> files = data.GetIndexyHlavicekSestavy(set);
        const bool uses = std::any_of(files.begin(), files.end(), [&](std::int32_t f) {
            return std::find(catalogueIndexes.begin(), catalogueIndexes.end(), f) !=
                   catalogueIndexes.end();
        });
        if (!uses)
            continue;
        dropped.push_back(data.getSetName(set));
        context_.api->api_zrusSestavuJizdnichRadu(set);
        page.setDropped();
        host_.setTabTitleAt(static_cast<int>(i), platform::resources::loadResString(kTextNewTab));
    }
    return dropped;
}

}  // namespace pelorvant
