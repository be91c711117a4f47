#include "app/screens/other/StopTimetableChoices.h"

#include <algorithm>

namespace pelorvant {

StopTimetableChoices readStopTimetableChoices(const EngineApi& api, const StopTimetableAnswer& answer,
                                              const std::function<std::u16string(std::int32_t)>& lineName) {
    StopTimetableChoices choices;
    const cStVysledek* result = answer.result.get();
    if (result == nullptr) return choices;
    const std::int32_t items = std::clamp(answer.queryItemCount, 0, kStMaxChoices);
    for (std::int32_t i = 0; i < items; ++i) {
        QueryItemChoice item;
        if (api.api_stGetZadani(result, i, &item.element) != ENGINE_OK) continue;
        std::int32_t count = 0;
        if (api.api_stGetZadaniSmerLength(result, i, &count) == ENGINE_OK && count > 0) {
            // The engine copies as many as it holds: a count beyond the bound is not read at all.
            if (count <= kStMaxChoices) {
                item.directions.resize(static_cast<std::size_t>(count));
                if (api.api_stGetZadaniSmer(result, i, item.directions.data()) != ENGINE_OK) item.directions.clear();
            }
        }
        choices.items.push_back(std::move(item));
    }
    const std::int32_t lines = std::clamp(answer.lineCandidateCount, 0, kStMaxChoices);
    for (std::int32_t j = 0; j < lines; ++j) {
        LineChoice line;
        if (api.api_stGetZadaniLinkaIndex(result, j, &line.lineGroup) != ENGINE_OK) continue;
        line.name = lineName(line.lineGroup);
        choices.lines.push_back(std::move(line));
    }
    return choices;
}

StatusReaction reactionToStatus(std::int32_t status) {
    StatusReaction r;
    r.text = stopTimetableStatusText(status);
    r.keepsChoices = status == -201 || status == -206;
    r.showsLines = status == -202;
    r.showsFrom = status == -204;
    r.showsDirection = status == -204 || status == -205;
    return r;
}

}  // namespace pelorvant
