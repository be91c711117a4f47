// Round-trip cost of synchronous window messages: a direct call on the owner thread, and a
// send from another thread that waits for the owner's loop to handle it.

#include "platform/core/Event.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/core/Window.h"

#include <benchmark/benchmark.h>

#include <atomic>

namespace {

using namespace platform;

constexpr std::uint32_t kEcho = WM_USER + 1;
constexpr std::uint32_t kStop = WM_USER + 2;

MsgResult echo(WindowHandle, std::uint32_t msg, std::uintptr_t w, std::intptr_t) {
    if (msg == kStop) {
        postQuitMessage(0);
    }
    return static_cast<MsgResult>(w) + 1;
}

void BM_SendSameThread(benchmark::State& state) {
    WindowHandle h = createWindow(echo);
    std::uintptr_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sendMessage(h, kEcho, ++i));
    }
    destroyWindow(h);
}
BENCHMARK(BM_SendSameThread);

void BM_SendCrossThread(benchmark::State& state) {
    std::atomic<WindowHandle> target{kNullWindow};
    Event ready(EventReset::Manual);
    Thread owner = createThread([&] {
        target = createWindow(echo);
        ready.set();
        Message m;
        while (getMessage(m)) {
            dispatchMessage(m);
        }
        destroyWindow(target);
    });
    ready.wait(kInfinite);
    const WindowHandle h = target;
    std::uintptr_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sendMessage(h, kEcho, ++i));
    }
    postMessage(h, kStop);
    owner.join();
}
BENCHMARK(BM_SendCrossThread)->UseRealTime();

void BM_PostAndDispatch(benchmark::State& state) {
    WindowHandle h = createWindow(echo);
    Message m;
    for (auto _ : state) {
        postMessage(h, kEcho, 1);
        getMessage(m);
        benchmark::DoNotOptimize(dispatchMessage(m));
    }
    destroyWindow(h);
}
BENCHMARK(BM_PostAndDispatch);

}  // namespace

BENCHMARK_MAIN();
