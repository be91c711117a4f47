#pragma once
// Links between the timetable files of a set: a stop whose link table names a town that is
// the title of another file of the set knows the same stop in that file, found there by its
// key. Built once per file combination.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace trasovnik {

class cJizdniRad;

struct cOdkazDoRadu {
    std::uint32_t timetable = 0;  // file index in the set
    std::uint8_t value = 0;       // the link's value byte (walking minutes)
    std::uint16_t stop = 0;       // stop index in that file
};

class CrossLinks {
public:
    // The links of every stop of file `self` of the set `files`. A town names the first file
    // of the set (other than `self`) whose title equals the town's name byte for byte; links
    // to towns that name no file, and links whose key the named file does not hold, are
    // dropped.
    CrossLinks(const std::vector<const cJizdniRad*>& files, std::size_t self);

    std::size_t stopCount() const { return first_.empty() ? 0 : first_.size() - 1; }
    // ENGINE_EXC_INDEX for a stop or link outside the file.
    std::size_t linkCount(std::size_t stop) const;
    const cOdkazDoRadu& link(std::size_t stop, std::size_t k) const;
    std::span<const cOdkazDoRadu> linksOf(std::size_t stop) const;

private:
    std::vector<std::uint32_t> first_;  // per stop, its first link; one more at the end
    std::vector<cOdkazDoRadu> links_;
};

}  // namespace trasovnik
