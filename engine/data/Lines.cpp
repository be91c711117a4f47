#include "engine/data/Lines.h"

#include "engine/data/CheckedReads.h"
#include "engine/data/EngineException.h"
#include "engine/data/NameBlock.h"
#include "engine/data/Notes.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

namespace {

template <typename T>
const T& at(const std::vector<T>& table, std::size_t i) {
    if (i >= table.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return table[i];
}

void appendWord(std::string& out, std::string_view word) {
    if (!word.empty()) {
        out.append(word);
        out.push_back(' ');
    }
}

}  // namespace

void cLinky::read(TimetableFileReader& reader, const cNazvy& names) {
    reader.skipSection();

    kinds_.resize(readCount(reader, 12));
    for (auto& k : kinds_) {
        k.code = reader.readU32();
        k.name = names.entryText(reader.readU32());
        k.colour = reader.readU32();
    }

    groups_.resize(readCount(reader, 4));
    for (auto& g : groups_) {
        g = names.entryText(reader.readU32());
    }

    lines_.resize(readCount(reader, 3));
    for (auto& l : lines_) {
        l.kind = reader.readU8();
        l.group = reader.readU16();
        if (l.kind >= kinds_.size() || l.group >= groups_.size()) {
            raiseEngine(ENGINE_EXC_INDEX);
        }
    }
    reader.skipSection();

    lineNames_.resize(readCount(reader, 4));
    for (auto& n : lineNames_) {
        n = names.entryText(reader.readU32());
    }
}

const cDruhLinky& cLinky::kind(std::size_t k) const {
    return at(kinds_, k);
}
const std::string& cLinky::groupName(std::size_t g) const {
    return at(groups_, g);
}
const cLinka& cLinky::line(std::size_t l) const {
    return at(lines_, l);
}
const std::string& cLinky::lineOwnName(std::size_t n) const {
    return at(lineNames_, n);
}

std::string cLinky::lineName(std::size_t l, std::size_t lineNameIndex, std::uint32_t attachment,
                             const cVazbyPoznamek& notes) const {
    const cLinka& ln = line(l);
    std::string out;
    appendWord(out, kind(ln.kind).name);
    appendWord(out, groupName(ln.group));
    appendWord(out, lineOwnName(lineNameIndex));
    for (std::uint16_t n : notes.notesOf(attachment)) {
        out.append(notes.mark(n));
        out.push_back(' ');
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

}  // namespace trasovnik
