#include "engine/data/CrossLinks.h"

#include "engine/data/EngineException.h"
#include "engine/data/TimetableFile.h"

namespace trasovnik {
namespace {

constexpr std::uint32_t kNoFile = 0xFFFFFFFF;

// For each town of file `self`, the set index of the file its name is the title of.
std::vector<std::uint32_t> filesOfTowns(const std::vector<const cJizdniRad*>& files,
                                        std::size_t self) {
    const cJizdniRad& own = *files[self];
    std::vector<std::uint32_t> out(own.stops.townCount(), kNoFile);
    for (std::size_t town = 0; town < out.size(); ++town) {
        const std::string_view name = own.stops.townName(own.names, town);
        for (std::size_t f = 0; f < files.size(); ++f) {
            if (f != self && files[f]->header.title == name) {
                out[town] = static_cast<std::uint32_t>(f);
                break;
            }
        }
    }
    return out;
}

}  // namespace

CrossLinks::CrossLinks(const std::vector<const cJizdniRad*>& files, std::size_t self) {
    if (self >= files.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    const cJizdniRad& own = *files[self];
    const std::vector<std::uint32_t> townFile = filesOfTowns(files, self);
    const std::size_t stops = own.stops.stopCount();
    first_.reserve(stops + 1);
    for (std::size_t s = 0; s < stops; ++s) {
        first_.push_back(static_cast<std::uint32_t>(links_.size()));
        for (const cOdkazZastavky& l : own.stops.links(s)) {
            if (l.town >= townFile.size() || townFile[l.town] == kNoFile) {
                continue;
            }
            const cJizdniRad& other = *files[townFile[l.town]];
            const std::uint16_t found = other.stops.findByKey(l.key);
            if (found == cZastavky::kNoStop) {
                continue;
            }
            links_.push_back(cOdkazDoRadu{townFile[l.town], l.value, found});
        }
    }
    first_.push_back(static_cast<std::uint32_t>(links_.size()));
}

std::span<const cOdkazDoRadu> CrossLinks::linksOf(std::size_t stop) const {
    if (stop >= stopCount()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return std::span<const cOdkazDoRadu>(links_).subspan(first_[stop],
                                                         first_[stop + 1] - first_[stop]);
}

std::size_t CrossLinks::linkCount(std::size_t stop) const {
    return linksOf(stop).size();
}

const cOdkazDoRadu& CrossLinks::link(std::size_t stop, std::size_t k) const {
    const auto links = linksOf(stop);
    if (k >= links.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return links[k];
}

}  // namespace trasovnik
