// The stop-timetable and navigation screens on the national-scale network (compiled as a city
// file, so that every line has its route tables): from the search command to the painted first
// page of the busiest stop's timetable, and the navigation view's update and repaint per fix
// (goal: 2 ms). Run from the release build; the medians are printed with the figures.

#include "app/core/EngineBinding.h"
#include "app/core/PrivateMessages.h"
#include "app/core/ProgramContext.h"
#include "app/core/TextConversion.h"
#include "app/screens/navigation/GPSNavigFormView.h"
#include "app/screens/stoptimetables/ZJRShowFrame.h"
#include "app/shell/ShellSettings.h"
#include "bench/NationalNetwork.h"
#include "tools/jzwriter/ContainerWriter.h"
#include "tools/jzwriter/TimetableCompiler.h"

#include "platform/backends/HeadlessBackend.h"
#include "platform/core/MessageLoop.h"
#include "platform/draw/Utf.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiLoop.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace pelorvant;
namespace ui = platform::ui;

pelorvant::EngineApi staticApi() {
    pelorvant::EngineApi api;
#define BENCH_ENGINE_ENTRY(name) api.name = &::name;
    PELORVANT_ENGINE_EXPORTS(BENCH_ENGINE_ENTRY)
#undef BENCH_ENGINE_ENTRY
    return api;
}

// The network, loaded once, and its busiest stop with the line that serves it most.
struct Network {
    EngineApi api = staticApi();
    std::int32_t set = -1;
    std::string lineName;
    std::u16string placeName;
    std::int32_t stop = -1;  // the busiest stop's index in the file
    double latitude = 0;
    double longitude = 0;

    Network() {
        nlohmann::json doc = bench::buildNationalNetwork({});
        doc["header"]["kind"] = "MHD";
        std::map<std::string, int> passes;
        std::map<std::string, std::map<std::string, int>> linesAt;
        for (const auto& trip : doc["trips"]) {
            for (const auto& s : trip["stops"]) {
                const std::string id = s["stop"];
                ++passes[id];
                ++linesAt[id][trip["line"].get<std::string>()];
            }
        }
        std::string busiest;
        for (const auto& [id, n] : passes) {
            if (busiest.empty() || n > passes[busiest]) busiest = id;
        }
        std::string line;
        for (const auto& [id, n] : linesAt[busiest]) {
            if (line.empty() || n > linesAt[busiest][line]) line = id;
        }
        for (const auto& l : doc["lines"]) {
            if (l["id"] == line) lineName = l["name"];
        }
        int index = 0;
        for (const auto& s : doc["stops"]) {
            if (s["id"] == busiest) {
                stop = index;
                latitude = s.value("lat", 0.0);
                longitude = s.value("lon", 0.0);
            }
            ++index;
        }
        for (const auto& e : doc["categories"][0]["elements"]) {
            for (const auto& id : e["stops"]) {
                if (id == busiest) placeName = platform::draw::fromUtf8(e["name"].get<std::string>());
            }
        }
        const auto content = jz::compileContent(doc);
        const auto file = jz::writeContainer(content, jz::containerOptionsOf(doc));
        const std::string path = (std::filesystem::temp_directory_path() / "national-city.jz").string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                   static_cast<std::streamsize>(file.size()));
        std::int32_t version = ENGINE_INTERFACE_VERSION;
        api.api_vytvorJizdniRadyGlobal("", 0, "", 0, &version);
        const char* texts[] = {path.c_str()};
        std::int32_t lengths[] = {static_cast<std::int32_t>(path.size())};
        std::int32_t count = 0;
        api.api_nactiHlavicky(texts, lengths, 1, &count);
        std::int32_t first = 0;
        std::int32_t failing = -1;
        api.api_nactiSestavuJizdnichRadu(&first, 1, &set, &failing, 0);
    }

    std::int32_t element() const {
        std::int32_t kinds = 0;
        std::int32_t stopsKind = -1;
        api.api_getPocetDruhuKategorii(set, 0, &kinds, &stopsKind);
        const std::string text = toNarrowString(placeName);
        std::int32_t* raw = nullptr;
        std::int32_t n = 0;
        api.api_GetIndexyElementuKategorie(set, 0, stopsKind, text.data(), static_cast<std::int32_t>(text.size()), &raw,
                                           &n);
        const EngineOwned<std::int32_t> indexes(raw);
        return n > 0 && indexes ? indexes.get()[0] : -1;
    }
};

Network& network() {
    static Network n;
    return n;
}

struct Screen {
    platform::backends::HeadlessBackend backend{*ui::findDeviceProfile("480x640")};
    AppSettings settings;
    ProgramContext context;
    ui::CreateParams hostParams;
    platform::WindowHandle host = platform::kNullWindow;

    explicit Screen(EngineApi& api) {
        settings.fontHeight = shellSettings().fontHeight();
        settings.createFonts();
        settings.createListFont(false);
        context.settings = &settings;
        context.api = &api;
        hostParams.className = "Host";
        hostParams.style = ui::WS_VISIBLE;
        hostParams.rect = platform::draw::Rect{0, 0, 480, 588};
        host = ui::createWindow(hostParams, ui::defWindowProc);
    }
    ~Screen() { ui::destroyWindow(host); }
};

void BM_StopTimetableSearchToFirstPage(benchmark::State& state) {
    Network& n = network();
    Screen screen(n.api);
    cZJRShowFrame view(screen.context);
    view.createFrame(screen.host, platform::draw::Rect{0, 0, 480, 588}, 4042);
    ui::showWindow(view.handle(), ui::SW_SHOW);
    StopTimetableQuery query;
    query.set = n.set;
    query.lineText = n.lineName;
    query.from = n.element();
    query.week = true;
    n.api.api_DatumToShortDen(13, 1, 2027, &query.day);
    // A query that asks for a choice (the line, the direction) takes the first one offered, as a
    // user would pick it on the query page.
    for (int round = 0; round < 3; ++round) {
        const StopTimetableAnswer first = runStopTimetableSearch(n.api, query);
        if (first.status == -202 && first.lineCandidateCount > 0) {
            n.api.api_stGetZadaniLinkaIndex(first.result.get(), 0, &query.lineIndex);
        } else if (first.status == -205 && first.queryItemCount > 0) {
            std::int32_t count = 0;
            n.api.api_stGetZadaniSmerLength(first.result.get(), 0, &count);
            if (count < 1) break;
            std::vector<std::int32_t> directions(static_cast<std::size_t>(count));
            n.api.api_stGetZadaniSmer(first.result.get(), 0, directions.data());
            query.to = directions[0];
        } else {
            break;
        }
    }
    int groups = 0;
    for (auto _ : state) {
        const StopTimetableAnswer answer = runStopTimetableSearch(n.api, query);
        if (answer.status != 0) {
            const std::string why = "the busiest stop has no timetable: status " + std::to_string(answer.status) +
                                    ", line \"" + n.lineName + "\" (" + std::to_string(query.lineIndex) +
                                    "), stop element " + std::to_string(query.from);
            state.SkipWithError(why.c_str());
            break;
        }
        view.buildStopTimetableText(answer.result.get(), query, answer.groupCount, answer.routeStopCount);
        ui::pumpMessages();
        groups = answer.groupCount;
    }
    state.counters["day_groups"] = groups;
    state.counters["route_stops"] = static_cast<double>(view.timetable().routeStops.size());
}
BENCHMARK(BM_StopTimetableSearchToFirstPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A receiver that hands the view positions walking towards the busiest stop.
class BenchReceiver final : public NavigationReceiver {
public:
    GeoPoint positionOf(std::uintptr_t wParam) const override { return positions[wParam % positions.size()]; }
    int getHeading() const override { return 200; }
    void restartTimeout() override {}
    void start(int, int, int, platform::WindowHandle) override {}
    void detachWindow() override {}
    std::vector<GeoPoint> positions;
};

void BM_NavigationUpdateAndRepaintPerFix(benchmark::State& state) {
    Network& n = network();
    Screen screen(n.api);
    BenchReceiver receiver;
    for (int i = 0; i < 100; ++i) {
        receiver.positions.push_back({n.latitude + 0.01 - i * 0.0001, n.longitude + 0.01 - i * 0.0001});
    }
    cGPSNavigFormView view(screen.context);
    view.createNavigationView(screen.host, platform::draw::Rect{0, 0, 480, 588}, 4045);
    ui::showWindow(view.handle(), ui::SW_SHOW);
    view.receiver = &receiver;
    view.Layout(0, 480, 588);
    view.showStop(4026, 0, n.stop, 0);
    std::uintptr_t fix = 0;
    for (auto _ : state) {
        platform::sendMessage(view.handle(), WM_GPS_POSITION, fix++, 0);
        ui::pumpMessages();
    }
    state.counters["track"] = static_cast<double>(view.map.track().count());
}
BENCHMARK(BM_NavigationUpdateAndRepaintPerFix)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
