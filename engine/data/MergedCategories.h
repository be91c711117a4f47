#pragma once
// The category kinds of all timetable files of a set grouped by name, so that a kind such as
// "zastávky" that every file has is offered once. Files are taken in set order and, in each,
// the kinds in order; a kind joins the first group whose first kind has an equal name under
// collateCompare, else it starts a new group at the end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trasovnik {

class cJizdniRad;

struct cClenSlouceneKategorie {
    std::uint32_t timetable = 0;  // file index in the set
    std::uint32_t kind = 0;       // kind index in that file
};

class MergedCategories {
public:
    explicit MergedCategories(const std::vector<const cJizdniRad*>& files);

    std::size_t groupCount() const { return groups_.size(); }
    // The name of the group's first kind. ENGINE_EXC_INDEX for a group outside the table,
    // here and below.
    const std::string& groupName(std::size_t group) const;
    // The (file, kind) pairs of the group, in the order they joined it.
    const std::vector<cClenSlouceneKategorie>& members(std::size_t group) const;
    // The group of a file's kind.
    std::size_t groupOf(std::size_t timetable, std::size_t kind) const;

private:
    struct Group {
        std::string name;
        std::vector<cClenSlouceneKategorie> members;
    };
    std::vector<Group> groups_;
    std::vector<std::vector<std::uint32_t>> groupOf_;  // per file, per kind
};

}  // namespace trasovnik
