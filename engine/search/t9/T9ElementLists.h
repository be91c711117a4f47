#pragma once
// The category elements of a timetable file as the T9 matcher walks them: per category kind,
// every element with the T9 code of its name, ordered by the key of the name's first character
// (stably, so elements of one key stay in name order). Built once per loaded file and shared by
// every search over it.

#include <cstdint>
#include <memory>
#include <vector>

namespace trasovnik {

class cJizdniRad;

struct T9Element {
    std::int32_t code = 0;
    std::uint32_t element = 0;  // index in the kind's element table
};

class T9ElementLists {
public:
    explicit T9ElementLists(const cJizdniRad& file);

    std::size_t kindCount() const { return kinds_.size(); }
    // ENGINE_EXC_INDEX for a kind out of range.
    const std::vector<T9Element>& kind(std::size_t k) const;

    // The lists of a loaded file: built on first use and kept while the file is loaded.
    static std::shared_ptr<const T9ElementLists> of(const std::shared_ptr<cJizdniRad>& file);

private:
    std::vector<std::vector<T9Element>> kinds_;
};

}  // namespace trasovnik
