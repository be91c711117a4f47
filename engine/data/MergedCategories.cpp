#include "engine/data/MergedCategories.h"

#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/TimetableFile.h"

namespace trasovnik {

MergedCategories::MergedCategories(const std::vector<const cJizdniRad*>& files) {
    groupOf_.resize(files.size());
    for (std::size_t f = 0; f < files.size(); ++f) {
        const cJizdniRad& jr = *files[f];
        const std::size_t kinds = jr.categories.kindCount();
        groupOf_[f].reserve(kinds);
        for (std::size_t k = 0; k < kinds; ++k) {
            const std::string_view name = jr.categories.kindName(jr.names, k);
            std::size_t g = 0;
            while (g < groups_.size() && collateCompare(groups_[g].name, name) != 0) {
                ++g;
            }
            if (g == groups_.size()) {
                groups_.push_back(Group{std::string(name), {}});
            }
            groups_[g].members.push_back(
                {static_cast<std::uint32_t>(f), static_cast<std::uint32_t>(k)});
            groupOf_[f].push_back(static_cast<std::uint32_t>(g));
        }
    }
}

const std::string& MergedCategories::groupName(std::size_t group) const {
    if (group >= groups_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return groups_[group].name;
}

const std::vector<cClenSlouceneKategorie>& MergedCategories::members(std::size_t group) const {
    if (group >= groups_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return groups_[group].members;
}

std::size_t MergedCategories::groupOf(std::size_t timetable, std::size_t kind) const {
    if (timetable >= groupOf_.size() || kind >= groupOf_[timetable].size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return groupOf_[timetable][kind];
}

}  // namespace trasovnik
