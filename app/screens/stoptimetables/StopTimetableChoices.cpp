#include "app/screens/stoptimetables/StopTimetableChoices.h"

#include "app/core/TextConversion.h"

#include <algorithm>
#include <string>

namespace pelorvant {

StopTimetableChoices readStopTimetableChoices(const EngineApi& api, const StopTimetableAnswer& answer,
                                              const std::function<LineNames(std::int32_t)>& lineNames) {
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
    std::vector<LineNames> names;
    for (std::int32_t j = 0; j < lines; ++j) {
        LineChoice line;
        if (api.api_stGetZadaniLinkaIndex(result, j, &line.lineGroup) != ENGINE_OK) continue;
        names.push_back(lineNames(line.lineGroup));
        line.name = names.back().group;
        choices.lines.push_back(std::move(line));
    }
    const std::vector<std::u16string> labels = lineChoiceLabels(names);
    for (std::size_t j = 0; j < choices.lines.size(); ++j) choices.lines[j].label = labels[j];
    return choices;
}

namespace {

// Marks every entry that some other entry equals.
std::vector<bool> repeated(const std::vector<std::u16string>& labels) {
    std::vector<bool> marks(labels.size(), false);
    for (std::size_t i = 0; i < labels.size(); ++i)
        for (std::size_t k = 0; k < labels.size(); ++k)
            if (i != k && labels[i] == labels[k]) marks[i] = true;
    return marks;
}

}  // namespace

std::vector<std::u16string> lineChoiceLabels(const std::vector<LineNames>& candidates) {
    std::vector<std::u16string> labels;
    for (const LineNames& line : candidates) labels.push_back(line.group.empty() ? line.kind : line.group);
    const std::vector<bool> sameName = repeated(labels);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const LineNames& line = candidates[i];
        if (sameName[i] && !line.group.empty() && !line.kind.empty()) labels[i] = line.group + u", " + line.kind;
    }
    // What still repeats, or shows nothing, is told apart by its number among its equals.
    const std::vector<bool> still = repeated(labels);
    std::vector<std::u16string> numbered = labels;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (!still[i] && !labels[i].empty()) continue;
        std::size_t n = 1;
        for (std::size_t k = 0; k < i; ++k)
            if (labels[k] == labels[i]) ++n;
        numbered[i] = (labels[i].empty() ? u"(" : labels[i] + u" (") + numberText(static_cast<std::int64_t>(n)) + u")";
    }
    return numbered;
}

StSide sideOpenedByItself(const ShownChoiceCounts& shown) {
    if (shown.line > kStListOpensAbove) return StSide::line;
    if (shown.from > kStListOpensAbove) return StSide::from;
    if (shown.direction > kStListOpensAbove) return StSide::direction;
    return StSide::none;
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
