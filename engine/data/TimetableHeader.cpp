#include "engine/data/TimetableHeader.h"

#include "engine/data/CheckedReads.h"
#include "engine/data/Cp1250Text.h"
#include "engine/data/TimetableFileReader.h"

namespace trasovnik {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool kindIs(std::string_view kind, std::string_view name) {
    return collateCompare(kind, name) == 0;
}

void setKindFlags(cHlavicka& h) {
    bool city = kindIs(h.kind, "CITY") || kindIs(h.kind, "MHD");
    bool bus = kindIs(h.kind, "BUS");
    h.cityFlag = city ? 1 : 0;
    h.commonKindFlag = (city || bus) ? 1 : 0;
    h.notBusFlag = bus ? 0 : 1;
}

void setCodeClass(cHlavicka& h, std::int32_t major) {
    if (h.codes.empty() || major < 3) {
        h.codeClass = 0;
    } else {
        h.codeClass = h.codes.front() == 1000 ? 1 : 2;
    }
}

void takeDerivedSeries(cHlavicka& h) {
    SeriesName s = deriveSeriesName(h.title);
    h.seriesName = std::move(s.name);
    h.seriesNumber = s.number;
}

void readExtendedPart(TimetableFileReader& reader, cHlavicka& h, std::int32_t major,
                      std::int32_t minor) {
    reader.readU32();
    reader.readU8();
    h.identifier = reader.readI16();
    reader.skip(11);
    reader.readU32();

    reader.beginSection();
    h.sourceCode = reader.readU32();
    std::uint32_t codeCount = readCount(reader, 2);
    h.codes.resize(codeCount);
    for (auto& code : h.codes) {
        code = reader.readI16();
    }
    if (major < 3) {
        takeDerivedSeries(h);
    } else {
        h.seriesName = readCheckedText(reader);
        h.seriesNumber = reader.readI32();
    }
    if (major > 3 || (major == 3 && minor > 2)) {
        h.hasCoordinates = reader.readBool() ? 1 : 0;
        h.coordinatesExact = reader.readBool() ? 1 : 0;
    }
    if (major > 3 || (major == 3 && minor > 3)) {
        std::uint32_t valueCount = readCount(reader, 4);
        h.values.resize(valueCount);
        for (auto& v : h.values) {
            v = reader.readU32();
        }
    }
    reader.endSection();
}

void readOlderPart(TimetableFileReader& reader, cHlavicka& h) {
    std::uint32_t count = reader.readU32();
    if (count > 0) {
        reader.readU8();
    }
    if (count > 1) {
        h.identifier = reader.readI16();
    }
    h.sourceCode = 0;
    h.codes = {1000};
    takeDerivedSeries(h);
}

}  // namespace

SeriesName deriveSeriesName(std::string_view title) {
    // A run of L >= 2 digits starting at i: the position whose run is exactly two digits long
    // is i + L - 2, the last two digits of the run.
    for (std::size_t i = 0; i < title.size();) {
        if (!isDigit(title[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < title.size() && isDigit(title[end])) {
            ++end;
        }
        if (end - i >= 2) {
            std::size_t at = end - 2;
            SeriesName s;
            s.name.reserve(title.size());
            s.name.append(title.substr(0, at));
            s.name.append("??");
            s.name.append(title.substr(end));
            s.number = (title[at] - '0') * 10 + (title[at + 1] - '0');
            return s;
        }
        i = end;
    }
    return SeriesName{std::string(title), -1};
}

cHlavicka nactiHlavicku(TimetableFileReader& reader) {
    cHlavicka h;
    const std::int32_t major = reader.majorVersion();
    const std::int32_t minor = reader.minorVersion();
    h.fileName = reader.fileName();
    h.title = readCheckedText(reader);
    h.kind = readCheckedText(reader);
    h.firstText = readCheckedText(reader);
    h.secondText = readCheckedText(reader);
    h.thirdText = readCheckedText(reader);
    h.firstValidFrom = reader.readI16();
    h.firstValidTo = reader.readI16();
    h.secondValidFrom = reader.readI16();
    h.secondValidTo = reader.readI16();
    h.flagA = reader.readBool() ? 1 : 0;
    h.sortKey = reader.readU32();
    if (major > 2 || minor > 1) {
        readExtendedPart(reader, h, major, minor);
    } else {
        readOlderPart(reader, h);
    }
    if (h.values.empty()) {
        h.values = {0};
    }
    setKindFlags(h);
    setCodeClass(h, major);
    return h;
}

}  // namespace trasovnik
