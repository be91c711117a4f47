// The header catalogue: scanning the caller's timetable files and reading their headers.
#include <string>
#include <vector>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/EngineObject.h"

using namespace trasovnik;
using namespace trasovnik::api;

extern "C" {

int32_t api_nactiHlavicky(const char* const* paths, const int32_t* pathLengths, int32_t count,
                          int32_t* entryCount) {
    return guarded([&] {
        auto& outCount = out(entryCount);
        const auto pathList = arrayArgument(paths, count);
        const auto lengths = arrayArgument(pathLengths, count);
        std::vector<std::string> names;
        names.reserve(pathList.size());
        for (std::size_t i = 0; i < pathList.size(); ++i) {
            names.emplace_back(textArgument(pathList[i], lengths[i]));
        }
        outCount = static_cast<int32_t>(engine().catalogue().nactiHlavicky(names));
    });
}

int32_t api_getHlavicku(int32_t index, const char** fileName, const char** title,
                        const char** seriesName, const char** firstText, const char** secondText,
                        const char** thirdText, int32_t* fileNameLength, int32_t* titleLength,
                        int32_t* seriesNameLength, int32_t* firstTextLength,
                        int32_t* secondTextLength, int32_t* seriesNumber, int32_t* thirdTextLength,
                        int16_t* identifier, int16_t* firstValidFrom, int16_t* firstValidTo,
                        int16_t* secondValidFrom, int16_t* secondValidTo, uint8_t* flagA,
                        uint8_t* cityFlag, int32_t* sortKey, const int16_t** codes,
                        int32_t* codeCount, uint8_t* foundInLastScan, uint8_t* hasCoordinates,
                        uint8_t* coordinatesExact) {
    return guarded([&] {
        const cPolozkaKatalogu& entry = engine().catalogue().entry(indexArgument(index));
        const cHlavicka& h = entry.header;
        const auto length = [](const std::string& s) { return static_cast<int32_t>(s.size()); };
        out(fileName) = h.fileName.data();
        out(title) = h.title.data();
        out(seriesName) = h.seriesName.data();
        out(firstText) = h.firstText.data();
        out(secondText) = h.secondText.data();
        out(thirdText) = h.thirdText.data();
        out(fileNameLength) = length(h.fileName);
        out(titleLength) = length(h.title);
        out(seriesNameLength) = length(h.seriesName);
        out(firstTextLength) = length(h.firstText);
        out(secondTextLength) = length(h.secondText);
        out(seriesNumber) = h.seriesNumber;
        out(thirdTextLength) = length(h.thirdText);
        out(identifier) = h.identifier;
        out(firstValidFrom) = h.firstValidFrom;
        out(firstValidTo) = h.firstValidTo;
        out(secondValidFrom) = h.secondValidFrom;
        out(secondValidTo) = h.secondValidTo;
        out(flagA) = h.flagA;
        out(cityFlag) = h.cityFlag;
        out(sortKey) = static_cast<int32_t>(h.sortKey);
        out(codes) = h.codes.data();
        out(codeCount) = static_cast<int32_t>(h.codes.size());
        out(foundInLastScan) = entry.found;
        out(hasCoordinates) = h.hasCoordinates;
        out(coordinatesExact) = h.coordinatesExact;
    });
}

}  // extern "C"
