#pragma once
// The header at the start of every timetable file's content stream: names, kind, validity,
// identifier, data source and the series name under which favourites and history are kept.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trasovnik {

class TimetableFileReader;

struct cHlavicka {
    // What the caller receives, in the order it receives it.
    std::string fileName;
    std::string title;
    std::string seriesName;
    std::string firstText;
    std::string secondText;
    std::string thirdText;
    std::int32_t seriesNumber = -1;
    std::int16_t identifier = -1;
    std::int16_t firstValidFrom = 0;
    std::int16_t firstValidTo = 0;
    std::int16_t secondValidFrom = 0;
    std::int16_t secondValidTo = 0;
    std::uint8_t flagA = 0;
    std::uint8_t cityFlag = 0;
    std::uint32_t sortKey = 0;
    std::vector<std::int16_t> codes;
    std::uint8_t hasCoordinates = 0;
    std::uint8_t coordinatesExact = 0;

    // Kept by the engine, not handed out.
    std::string kind;
    std::uint8_t commonKindFlag = 0;  // kind is CITY, MHD or BUS
    std::uint8_t notBusFlag = 1;      // kind is not BUS
    std::uint32_t sourceCode = 0;
    std::vector<std::uint32_t> values;
    // 0: no codes or a file older than major version 3; 1: the first code is 1000; 2: other.
    std::int32_t codeClass = 0;
};

struct SeriesName {
    std::string name;
    std::int32_t number = -1;
};

// The title with its first run of exactly two digits replaced by "??" (in a longer run the
// last two digits of it), and those digits as the series number; the title itself and -1
// when there is no such run. Titles of any length are handled.
SeriesName deriveSeriesName(std::string_view title);

// Reads the header from a reader whose plain block table has been read. The layout depends
// on the reader's major and minor version.
cHlavicka nactiHlavicku(TimetableFileReader& reader);

}  // namespace trasovnik
