// Timetable container reader throughput. A large synthetic content stream (stop-time records:
// stop index, minute, trip number and a kind byte, big-endian, moderately compressible) is
// packed into a timetable file in /tmp; then
//   ReaderMixedValues reads it through TimetableFileReader with 16-, 32- and 8-bit reads, and
//   RawDecompress decompresses the same blocks with lzo1x_decompress_safe alone,
// both reporting content bytes per second. The reader should reach at least half the raw
// decompression speed.
#include <benchmark/benchmark.h>
#include <lzo/lzo1x.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/data/TimetableFileReader.h"
#include "tools/jzwriter/ContainerWriter.h"
#include "tools/jzwriter/ContentWriter.h"

namespace {

constexpr std::size_t kRecordBytes = 9;  // u16 stop, u16 minute, u32 trip, u8 kind
constexpr std::size_t kRecords = 4u << 20;
constexpr std::size_t kBlockContent = 32 * 1024;
const char* const kPath = "/tmp/reader_bench.jz";

struct BenchFile {
    std::vector<std::uint8_t> bytes;
    std::size_t contentBytes = 0;
};

const BenchFile& benchFile() {
    static const BenchFile file = [] {
        jz::ContentWriter w;
        std::uint32_t rng = 12345;
        auto next = [&rng] {
            rng = rng * 1664525u + 1013904223u;
            return rng >> 16;
        };
        // Lines with a fixed run of stops and minutes from the trip's start; the trips of a
        // line follow one another and repeat its run, as in a real timetable.
        struct Line {
            std::vector<std::uint16_t> stops, minutes;
            std::uint8_t kind;
        };
        std::vector<Line> lines(300);
        for (Line& line : lines) {
            std::size_t length = 8 + next() % 40;
            std::uint16_t stop = static_cast<std::uint16_t>(next() % 30000);
            std::uint16_t minute = 0;
            for (std::size_t k = 0; k < length; ++k) {
                line.stops.push_back(stop);
                line.minutes.push_back(minute);
                stop = static_cast<std::uint16_t>(stop + 1 + next() % 50);
                minute = static_cast<std::uint16_t>(minute + 1 + next() % 6);
            }
            line.kind = static_cast<std::uint8_t>(next() % 4);
        }
        std::uint32_t trip = 0;
        for (std::size_t i = 0; w.size() < kRecords * kRecordBytes; ++i) {
            const Line& line = lines[(i / 40) % lines.size()];
            ++trip;
            for (std::size_t k = 0; k < line.stops.size(); ++k) {
                w.u16(line.stops[k]);
                w.u16(line.minutes[k]);
                w.u32(trip);
                w.u8(line.kind);
            }
        }
        jz::ContainerOptions o;
        o.compressedBlockContent = kBlockContent;
        BenchFile f;
        f.contentBytes = w.size();
        f.bytes = jz::writeContainer(w, o);
        std::ofstream out(kPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(f.bytes.data()),
                  static_cast<std::streamsize>(f.bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write the benchmark file");
        }
        return f;
    }();
    return file;
}

void ReaderMixedValues(benchmark::State& state) {
    const BenchFile& file = benchFile();
    const std::size_t records = file.contentBytes / kRecordBytes;
    for (auto _ : state) {
        trasovnik::TimetableFileReader r;
        r.openFile(kPath);
        r.readPlainBlockTable();
        std::uint32_t sum = 0;
        for (std::size_t i = 0; i < records; ++i) {
            sum += r.readU16();
            sum += r.readU16();
            sum += r.readU32();
            sum += r.readU8();
        }
        benchmark::DoNotOptimize(sum);
        r.close();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.contentBytes));
    state.counters["fileMB"] = static_cast<double>(file.bytes.size()) / 1e6;
    state.counters["contentMB"] = static_cast<double>(file.contentBytes) / 1e6;
}

// The same file through the reader without value reads: the cost of the blocks alone.
void ReaderSkipAll(benchmark::State& state) {
    const BenchFile& file = benchFile();
    for (auto _ : state) {
        trasovnik::TimetableFileReader r;
        r.openFile(kPath);
        r.readPlainBlockTable();
        r.skip(file.contentBytes);
        r.close();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.contentBytes));
}

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

void RawDecompress(benchmark::State& state) {
    const BenchFile& file = benchFile();
    const std::uint8_t* f = file.bytes.data();
    // Walk the tables to the compressed blocks; the plain run is left out.
    std::size_t at = 16 + be32(f + 12);
    std::uint32_t n = be32(f + 20);
    for (std::uint32_t i = 0; i < n; ++i) {
        at += be32(f + 24 + 4 * i);
    }
    std::size_t table = at + 4;
    std::uint32_t maxUnpacked = be32(f + table);
    std::uint32_t m = be32(f + table + 8);
    std::size_t firstBlock = table + be32(f + at);
    std::vector<std::uint8_t> out(maxUnpacked);
    std::size_t unpackedTotal = 0;
    if (lzo_init() != LZO_E_OK) {
        state.SkipWithError("lzo_init failed");
        return;
    }
    for (auto _ : state) {
        std::size_t pos = firstBlock;
        unpackedTotal = 0;
        for (std::uint32_t i = 0; i < m; ++i) {
            std::uint32_t unpacked = be32(f + table + 12 + 8 * i);
            std::uint32_t packed = be32(f + table + 16 + 8 * i);
            lzo_uint outLength = unpacked;
            if (lzo1x_decompress_safe(f + pos, packed, out.data(), &outLength, nullptr) !=
                LZO_E_OK) {
                state.SkipWithError("block does not decompress");
                return;
            }
            benchmark::DoNotOptimize(out.data());
            unpackedTotal += outLength;
            pos += packed;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * unpackedTotal));
}

}  // namespace

BENCHMARK(ReaderMixedValues)->Unit(benchmark::kMillisecond);
BENCHMARK(ReaderSkipAll)->Unit(benchmark::kMillisecond);
BENCHMARK(RawDecompress)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
