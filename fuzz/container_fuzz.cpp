// Feeds arbitrary bytes to the timetable container reader: opens them, reads the plain block
// table and then reads the content to its end with a mix of value widths, bounded reads and
// nested sections, the way section readers do. Engine failures are the expected outcome for
// bad input; anything else escaping (or a sanitizer report) is a bug.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/data/EngineException.h"
#include "engine/data/TimetableFileReader.h"

namespace {

// Drives the reader from the content itself, so that the fuzzer steers which reads happen.
void readEverything(trasovnik::TimetableFileReader& r) {
    int depth = 0;
    for (;;) {
        std::uint8_t op = r.readU8();
        switch (op % 11) {
            case 0:
                r.readU16();
                break;
            case 1:
                r.readU32();
                break;
            case 2:
                r.readI16();
                break;
            case 3:
                r.readRaw8();
                break;
            case 4:
                r.readBool();
                break;
            case 5:
                // A count read from the file, refused before it becomes an allocation.
                r.requireContent(std::uint64_t{r.readU32()} * 4);
                break;
            case 6:
                r.readText();
                break;
            case 7:
                if (depth < 64) {
                    r.beginSection();
                    ++depth;
                }
                break;
            case 8:
                if (depth > 0) {
                    r.endSection();
                    --depth;
                }
                break;
            case 9:
                r.skip(op >> 4);
                break;
            default:
                r.readBytes(op >> 5);
                break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    trasovnik::TimetableFileReader reader;
    try {
        reader.openBytes(std::vector<std::uint8_t>(data, data + size), "fuzz.jz");
        reader.readPlainBlockTable();
        readEverything(reader);  // ends with ENGINE_EXC_SHORT_READ at the latest
    } catch (const trasovnik::EngineException&) {
    }
    // A section end without a mark must fail cleanly too.
    try {
        reader.endSection();
    } catch (const trasovnik::EngineException&) {
    }
    reader.close();
    return 0;
}
