#include "engine/data/SearchDefaults.h"

#include "engine/data/CheckedReads.h"
#include "engine/data/EngineException.h"
#include "engine/data/NameBlock.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

namespace {

bool hasWalkingSection(const TimetableFileReader& reader) {
    int major = reader.majorVersion();
    int minor = reader.minorVersion();
    return major > 3 || (major == 3 && minor >= 3);
}

}  // namespace

void cSmsJizdenky::read(TimetableFileReader& reader) {
    constexpr std::uint64_t kTicketBytes = 16;
    std::uint32_t count = readCount(reader, kTicketBytes);
    tickets_.clear();
    tickets_.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        cSmsJizdenka t;
        t.firstText = reader.readU32();
        t.priceHundredths = reader.readU32();
        t.secondText = reader.readU32();
        t.thirdText = reader.readU32();
        tickets_.push_back(t);
    }
}

void cSmsJizdenky::checkReferences(const cNazvy& names) const {
    for (const cSmsJizdenka& t : tickets_) {
        names.checkReference(t.firstText);
        names.checkReference(t.secondText);
        names.checkReference(t.thirdText);
    }
}

const cSmsJizdenka& cSmsJizdenky::at(std::size_t i) const {
    if (i >= tickets_.size()) {
        raiseEngine(ENGINE_EXC_INDEX);
    }
    return tickets_[i];
}

void readSearchDefaults(TimetableFileReader& reader, bool cityFile, SearchDefaults& d,
                        cSmsJizdenky& tickets) {
    d.standardWindow = reader.readI32();
    d.maximumWindow = reader.readI32();
    d.minimumTransfer = reader.readU8();
    d.safeTransfer = reader.readU8();
    d.transferPenalty = reader.readU8();
    d.furtherValue1 = reader.readU32();
    d.furtherValue2 = reader.readU32();
    d.transferRequiredAtVia = reader.readBool();
    d.useScMarking = reader.readBool();
    d.defaultTransfers = reader.readI32();

    d.maxResultConnections = SearchDefaults::kMaxResultConnections;
    d.walkingPace = SearchDefaults::kDefaultWalkingPace;
    d.walkingLimit = cityFile ? SearchDefaults::kDefaultWalkingLimitCity
                              : SearchDefaults::kDefaultWalkingLimitOther;

    reader.beginSection();
    if (hasWalkingSection(reader)) {
        d.walkingPace = reader.readI32();
        d.walkingLimit = reader.readI32();
        tickets.read(reader);
    }
    reader.endSection();
}

}  // namespace trasovnik
