// From the Find command to the painted results on the national-scale network: the request is
// set, the search runs (as the search thread runs it, here on the calling thread), the results
// view's list reads the stored result from the engine and paints; and the results list's full
// frame alone. Stop pairs are spread over the network; median and 99th percentile.
//
//   build/release/bench/results_bench [benchmark flags]

#include "bench/Percentiles.h"

#include <benchmark/benchmark.h>

#include "app/core/AppSettings.h"
#include "app/core/EngineBinding.h"
#include "app/core/SystemHooks.h"
#include "app/core/TimetableData.h"
#include "app/screens/search/ConnectionList.h"
#include "app/shell/ShellWindowClass.h"
#include "bench/NationalNetwork.h"

#include "platform/core/MessageLoop.h"
#include "platform/services/registry/Registry.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace pelorvant;
namespace ui = platform::ui;

class QuietNotice final : public UserNotice {
public:
    void showMessage(std::u16string_view, std::u16string_view) override {}
    bool askYesNo(std::u16string_view, std::u16string_view) override { return false; }
};

// The engine with the national network loaded as one set, and a results list on the headless
// screen.
struct Fixture {
    Fixture() : kit("480x640") {
        folder = std::filesystem::temp_directory_path() / ("results-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder / "data");
        bench::NationalNetworkOptions options;
        bench::compileNationalNetwork(options, (folder / "data").string());
        api = &bindEngineLibrary(std::filesystem::path(TRASA_LIBRARY_PATH).parent_path());
        settings.programFolder = folder / "program";
        settings.dataFolder = folder / "data";
        data = std::make_unique<TimetableData>(*api, settings, registry, notice);
        if (!data->createEngine()) throw std::runtime_error("engine");
        data->loadHeaders();
        std::int32_t index = 0;
        std::int32_t failing = -1;
        if (api->api_nactiSestavuJizdnichRadu(&index, 1, &set, &failing, 0) != ENGINE_OK || set < 0) {
            throw std::runtime_error("set");
        }
        std::int32_t kinds = 0;
        if (api->api_getPocetDruhuKategorii(set, 0, &kinds, &stopsKind) != ENGINE_OK || stopsKind < 0) {
            throw std::runtime_error("stops");
        }
        // The number of stop elements: the first index whose name the engine refuses.
        const auto exists = [&](std::int32_t element) {
            char* name = nullptr;
            std::int32_t length = 0;
            const bool ok = api->api_GetNazevElementuKategorie(set, 0, stopsKind, element, &name, &length) == ENGINE_OK;
            std::free(name);
            return ok;
        };
        std::int32_t low = 0;
        std::int32_t high = 1;
        while (exists(high)) high *= 2;
        while (high - low > 1) {
            const std::int32_t mid = (low + high) / 2;
            (exists(mid) ? low : high) = mid;
        }
        stops = high;
        if (stops < 2) throw std::runtime_error("stops");
        // A Wednesday inside the network's validity.
        api->api_DatumToShortDen(13, 1, 2027, &today);
        const auto size = ui::screenSize();
        page = ui::createWindow(
            shellCreateParams(ui::WS_VISIBLE, Rect{0, 0, size.width, size.height}, platform::kNullWindow, 0),
            ui::defWindowProc);
        list.createConnectionList(page, Rect{0, 0, size.width, size.height - 52});
    }
    ~Fixture() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    // Find: set the request for a stop pair at 7:30 on the benchmark day and search; the result id
    // or -1.
    std::int32_t find(std::int32_t from, std::int32_t to) {
        const TrasaTriple a{0, stopsKind, from};
        const TrasaTriple b{0, stopsKind, to};
        std::uint8_t done = 0;
        if (api->api_NastavZadaniHledani(set, &a, 1, 0, 0, &b, 1, 0, 0, nullptr, 0, 7 * 60 + 30, today, 3, 0, &done) !=
            ENGINE_OK) {
            return -1;
        }
        std::int32_t status = -1;
        if (api->api_HledejCestu(7 * 60 + 30, today, &status, 0) != ENGINE_OK) return -1;
        return status;
    }

    platform::testkit::UiTestKit kit;
    std::filesystem::path folder;
    const EngineApi* api = nullptr;
    AppSettings settings;
    platform::services::MemoryRegistry registry;
    QuietNotice notice;
    std::unique_ptr<TimetableData> data;
    std::int32_t set = -1;
    std::int32_t stopsKind = -1;
    std::int32_t stops = 0;
    std::int16_t today = 0;
    platform::WindowHandle page = platform::kNullWindow;
    cConnectionList list;
};

Fixture* gFixture = nullptr;

void BM_FindToPaintedResults(benchmark::State& state) {
    Fixture& f = *gFixture;
    std::vector<double> micros;
    std::int64_t next = 0;
    std::int64_t empty = 0;
    std::int64_t failed = 0;
    std::vector<double> found;  // searches that found connections
    for (auto _ : state) {
        const auto from = static_cast<std::int32_t>((next * 7919) % f.stops);
        const auto to = static_cast<std::int32_t>((next * 104729 + f.stops / 2) % f.stops);
        ++next;
        if (from == to) continue;
        const auto start = std::chrono::steady_clock::now();
        const std::int32_t result = f.find(from, to);
        ConnectionRowBuilder builder(*f.api, f.set, f.today);
        std::vector<cConnectionRow> rows = result >= 0 ? builder.readResult(result) : std::vector<cConnectionRow>{};
        if (rows.empty()) ++empty;
        if (result >= 0 && builder.status != ENGINE_OK) ++failed;
        f.list.setRows(std::move(rows), 0);
        f.kit.pump();
        const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
        micros.push_back(us);
        if (!f.list.rows.empty()) found.push_back(us);
    }
    bench::reportPercentiles(state, found, "found_");
    state.counters["no_connection"] = static_cast<double>(empty);
    state.counters["failed_reads"] = static_cast<double>(failed);
    bench::reportPercentiles(state, micros);
}
BENCHMARK(BM_FindToPaintedResults)->Iterations(200)->Unit(benchmark::kMillisecond);

constexpr std::size_t kFullScreenRows = 12;

void BM_ResultsFullFrame(benchmark::State& state) {
    Fixture& f = *gFixture;
    // The first stop pair with connections.
    std::vector<cConnectionRow> rows;
    for (std::int32_t k = 1; rows.empty() && k < 2000; ++k) {
        const std::int32_t result = f.find(k % f.stops, (k * 104729 + f.stops / 2) % f.stops);
        ConnectionRowBuilder builder(*f.api, f.set, f.today);
        if (result >= 0) rows = builder.readResult(result);
    }
    // A full screen: the pair's connections repeated until they fill more than the list shows.
    const std::size_t found = rows.size();
    for (std::size_t i = 0; found > 0 && rows.size() < kFullScreenRows; ++i) rows.push_back(rows[i % found]);
    f.list.setRows(std::move(rows), 0);
    f.kit.pump();
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ui::invalidateRect(f.list.handle());
        f.kit.pump();
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["rows"] = static_cast<double>(f.list.rows.size());
    bench::reportPercentiles(state, micros);
}
BENCHMARK(BM_ResultsFullFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    {
        Fixture f;
        gFixture = &f;
        benchmark::RunSpecifiedBenchmarks();
        gFixture = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
