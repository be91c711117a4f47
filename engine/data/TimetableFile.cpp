#include "engine/data/TimetableFile.h"

#include <string>

#include "engine/data/EngineException.h"
#include "engine/data/LoadObserver.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

namespace {

constexpr std::int32_t kNewestMajor = 4;
constexpr std::int32_t kOldestMajor = 3;

// Closes the reader however the load ends.
class ReaderCloser {
public:
    explicit ReaderCloser(TimetableFileReader& reader) : reader_(reader) {}
    ~ReaderCloser() { reader_.close(); }
    ReaderCloser(const ReaderCloser&) = delete;
    ReaderCloser& operator=(const ReaderCloser&) = delete;

private:
    TimetableFileReader& reader_;
};

std::vector<std::uint16_t> passageCountsOf(const cZastavky& stops) {
    std::vector<std::uint16_t> counts;
    counts.reserve(stops.stopCount());
    for (std::size_t s = 0; s < stops.stopCount(); ++s) {
        counts.push_back(stops.passageCount(s));
    }
    return counts;
}

std::unique_ptr<cJizdniRad> loadFrom(TimetableFileReader& reader, LoadObserver& observer) {
    auto timetable = std::make_unique<cJizdniRad>();
    if (!nactiJizdniRad(*timetable, reader, observer)) {
        return nullptr;
    }
    return timetable;
}

}  // namespace

bool nactiJizdniRad(cJizdniRad& jr, TimetableFileReader& reader, LoadObserver& observer) {
    ReaderCloser closer(reader);
    if (reader.magic() != TimetableFileReader::kMagic) {
        raiseEngine(ENGINE_EXC_BAD_MAGIC);
    }
    if (reader.majorVersion() > kNewestMajor) {
        raiseEngine(ENGINE_EXC_TOO_NEW);
    }
    if (reader.majorVersion() < kOldestMajor) {
        raiseEngine(ENGINE_EXC_TOO_OLD);
    }

    reader.readPlainBlockTable();
    jr.header = nactiHlavicku(reader);
    readSearchDefaults(reader, jr.header.cityFlag != 0, jr.defaults, jr.smsTickets);

    if (observer.cancelled()) {
        return false;
    }
    observer.progress(0);
    jr.names.read(reader);
    jr.smsTickets.checkReferences(jr.names);

    if (observer.cancelled()) {
        return false;
    }
    observer.progress(10);
    jr.notes.read(reader, jr.names);

    if (observer.cancelled()) {
        return false;
    }
    observer.progress(20);
    jr.stops.read(reader, jr.names);
    jr.stops.checkNoteAttachments(jr.notes.attachments().size());

    if (observer.cancelled()) {
        return false;
    }
    observer.progress(30);
    jr.categories.read(reader, jr.names, jr.stops.stopCount());

    if (observer.cancelled()) {
        return false;
    }
    observer.progress(40);
    jr.trips.read(reader, jr.names, jr.notes, jr.stops, observer);

    if (observer.cancelled()) {
        return false;
    }
    observer.progress(65);
    jr.passages.read(reader, jr.trips, passageCountsOf(jr.stops), observer);
    if (observer.cancelled()) {
        return false;
    }

    if (jr.header.cityFlag != 0) {
        jr.routes = std::make_unique<cTrasyLinek>();
        jr.routes->build(jr.trips);
    }
    reader.skipSection();

    if (observer.cancelled()) {
        return false;
    }
    observer.progress(100);
    return true;
}

std::unique_ptr<cJizdniRad> loadTimetableFile(std::string_view path, LoadObserver& observer) {
    TimetableFileReader reader;
    reader.openFile(path);
    return loadFrom(reader, observer);
}

std::unique_ptr<cJizdniRad> loadTimetableBytes(std::vector<std::uint8_t> bytes,
                                               LoadObserver& observer) {
    TimetableFileReader reader;
    reader.openBytes(std::move(bytes), "memory");
    return loadFrom(reader, observer);
}

}  // namespace trasovnik
