// Suggestions after each typed character through the object text box, on the national-scale
// network: the character reaches the box's edit, the box asks the engine (bound from the
// build, as the program binds it) for matching names and fills its suggestion list. Typed
// texts are the first one to five letters of stop names spread over the network; median and
// 99th percentile per character.
//
//   build/release/bench/textbox_bench [benchmark flags]

#include "bench/Percentiles.h"

#include <benchmark/benchmark.h>

#include "app/core/AppSettings.h"
#include "app/core/EngineBinding.h"
#include "app/core/SystemHooks.h"
#include "app/core/TimetableData.h"
#include "app/shell/EngineObjectNames.h"
#include "app/shell/ShellWindowClass.h"
#include "app/shell/TextBox.h"
#include "bench/NationalNetwork.h"

#include "platform/core/MessageLoop.h"
#include "platform/services/registry/Registry.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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

std::u16string utf16(const std::string& utf8) {
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char32_t cp = c;
        int extra = 0;
        if (c >= 0xF0) {
            cp = c & 0x07;
            extra = 3;
        } else if (c >= 0xE0) {
            cp = c & 0x0F;
            extra = 2;
        } else if (c >= 0xC0) {
            cp = c & 0x1F;
            extra = 1;
        }
        for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < utf8.size(); ++k) {
            cp = (cp << 6) |
                 (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        }
        out.push_back(static_cast<char16_t>(cp));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// The engine with the national network loaded as one set, and a text box on the headless
// screen working on it.
struct Fixture {
    Fixture() : kit("480x640") {
        folder = std::filesystem::temp_directory_path() /
                 ("textbox-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder / "data");
        bench::NationalNetworkOptions options;
        const auto doc = bench::buildNationalNetwork(options);
        for (const auto& stop : doc["stops"])
            names.push_back(utf16(stop["name"].get<std::string>()));
        bench::compileNationalNetwork(options, (folder / "data").string());
        api = &bindEngineLibrary(std::filesystem::path(TRASA_LIBRARY_PATH).parent_path());
        settings.programFolder = folder / "program";
        settings.dataFolder = folder / "data";
        data = std::make_unique<TimetableData>(*api, settings, registry, notice);
        if (!data->createEngine())
            throw std::runtime_error("engine");
        data->loadHeaders();
        std::int32_t index = 0;
        std::int32_t failing = -1;
        if (api->api_nactiSestavuJizdnichRadu(&index, 1, &set, &failing, 0) != ENGINE_OK ||
            set < 0) {
            throw std::runtime_error("set");
        }
        objectNames = std::make_unique<EngineObjectNames>(*api, *data, set);
        const auto size = ui::screenSize();
        ui::CreateParams p = shellCreateParams(ui::WS_VISIBLE, Rect{0, 0, size.width, size.height},
                                               platform::kNullWindow, 0);
        page = ui::createWindow(p, ui::defWindowProc);
        box = std::make_unique<cTextBox>(0, platform::kNullWindow, false, *objectNames);
        box->listHeight = 300;
        box->createBox(page, Rect::fromSize(10, 40, 460, 40), 1001);
        ui::setFocus(box->handle());
    }
    ~Fixture() {
        box.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    platform::testkit::UiTestKit kit;
    std::filesystem::path folder;
    std::vector<std::u16string> names;
    const EngineApi* api = nullptr;
    AppSettings settings;
    platform::services::MemoryRegistry registry;
    QuietNotice notice;
    std::unique_ptr<TimetableData> data;
    std::int32_t set = -1;
    std::unique_ptr<EngineObjectNames> objectNames;
    platform::WindowHandle page = platform::kNullWindow;
    std::unique_ptr<cTextBox> box;
};

// Made in main and gone before the program's thread-local message queue goes at exit.
Fixture* gFixture = nullptr;

Fixture& fixture() {
    return *gFixture;
}

void BM_TextBoxSuggestionsPerCharacter(benchmark::State& state) {
    Fixture& f = fixture();
    const auto length = static_cast<std::size_t>(state.range(0));
    std::vector<double> micros;
    std::size_t next = 0;
    const std::size_t step = f.names.size() / 211 + 1;
    for (auto _ : state) {
        state.PauseTiming();
        const std::u16string& name = f.names[(next++ * step) % f.names.size()];
        // A new entry: the box gets the focus afresh, so the first character replaces the text.
        ui::setFocus(f.page);
        ui::setFocus(f.box->handle());
        const std::u16string typed = name.substr(0, std::min(length, name.size()));
        for (std::size_t k = 0; k + 1 < typed.size(); ++k) {
            platform::sendMessage(f.box->edit.handle(), ui::WM_CHAR, typed[k], 0);
        }
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        platform::sendMessage(f.box->edit.handle(), ui::WM_CHAR, typed.back(), 0);
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(f.box->candidateCount);
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        state.PauseTiming();
        f.kit.pump();  // the list paints outside the measured part
        state.ResumeTiming();
    }
    bench::reportPercentiles(state, micros);
}
BENCHMARK(BM_TextBoxSuggestionsPerCharacter)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);

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
