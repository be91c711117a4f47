#pragma once
// The built program itself under a private X server, for the tests that look at it from
// outside as a person does: it starts with its own folders under a temporary home, gets real
// input events (XTest) and is read by its window's pixels. Skipped only when no X server starts.
#include "platform/draw/Bitmap.h"
#include "platform/testkit/PrivateXServer.h"
#include "platform/testkit/XDisplayProbe.h"
#include "platform/testkit/XTestInput.h"
#include "tests/support/ChildProcess.h"
#include "tests/app/program/ShownText.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pelorvant::testing {

// Generous for a loaded machine: the program under the sanitizers starts in a few seconds.
inline constexpr std::chrono::seconds kScreenPatience{60};

class RealProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (x.display().empty())
            GTEST_SKIP() << "no X server could be started";
        ASSERT_TRUE(probe.ok());
        ASSERT_TRUE(input.ok()) << "the X server has no XTest";
        std::filesystem::create_directories(data);
        std::filesystem::permissions(home.path(), std::filesystem::perms::owner_all);
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    }
    // A user who has answered the first start's questions; more "setup" lines may follow.
    void answeredBefore(const std::string& moreSetup = {}) {
        std::ofstream(data / "nastaveni.ini", std::ios::binary)
            << "[setup]\r\n   isWizardFinished=1\r\n   wasgpsq=1\r\n" << moreSetup;
    }
    std::unique_ptr<trasa::testing::ChildProcess> start(std::vector<std::string> args,
                                                         std::vector<std::string> environment = {}) {
        if (std::ranges::none_of(
                args, [](const std::string& a) { return a.starts_with("--profile="); })) {
            args.insert(args.begin(), "--profile=480x640");
        }
        environment.insert(environment.end(),
                           {"DISPLAY=" + x.display(), "HOME=" + home.path().string(),
                            "XDG_DATA_HOME=" + (home / "share").string(),
                            "XDG_CONFIG_HOME=" + (home / "config").string(),
                            "XDG_CACHE_HOME=" + (home / "cache").string(),
                            "XDG_RUNTIME_DIR=" + runtime.string(), "ASAN_OPTIONS=detect_leaks=0"});
        return std::make_unique<trasa::testing::ChildProcess>(TRASA_PELORVANT, args, environment);
    }
    // The program's window once it shows something; 0 when it does not within the limit.
    unsigned long windowWithContent() {
        unsigned long window = 0;
        trasa::testing::eventually(
            [&] {
                window = probe.findByTitle("Pelorvant");
                if (window == 0)
                    return false;
                const platform::draw::Bitmap shown = probe.capture(window);
                return !shown.empty() && !platform::testkit::showsOnePlainColour(shown);
            },
            kScreenPatience);
        return window;
    }
    // Waits until what the window shows satisfies the condition; the last shot either way.
    platform::draw::Bitmap shownWhen(unsigned long window,
                                     const std::function<bool(const platform::draw::Bitmap&)>& condition,
                                     std::chrono::milliseconds limit = kScreenPatience) {
        platform::draw::Bitmap shown;
        trasa::testing::eventually(
            [&] {
                shown = probe.capture(window);
                return !shown.empty() && condition(shown);
            },
            limit);
        return shown;
    }
    // Waits until the window has shown the same picture for a while (the program is idle).
    platform::draw::Bitmap settled(unsigned long window) {
        platform::draw::Bitmap last = probe.capture(window);
        auto since = std::chrono::steady_clock::now();
        trasa::testing::eventually(
            [&] {
                platform::draw::Bitmap now = probe.capture(window);
                if (!samePixels(now, last)) {
                    last = std::move(now);
                    since = std::chrono::steady_clock::now();
                    return false;
                }
                return std::chrono::steady_clock::now() - since > std::chrono::milliseconds(700);
            },
            kScreenPatience);
        return last;
    }
    // Waits until the window shows the text (in black on white); fails the test when it does not.
    void textShown(unsigned long window, std::u16string_view text) {
        const ShownText wanted(text);
        const platform::draw::Bitmap shown =
            shownWhen(window, [&](const platform::draw::Bitmap& b) { return wanted.in(b); });
        if (!wanted.in(shown)) {
            keep(shown, "missing-text.png");
            ADD_FAILURE() << "the window does not show the text (see missing-text.png)";
        }
    }
    // The search form is shown and takes input.
    void formShown(unsigned long window) { textShown(window, u"Přestupů:"); }
    // Waits until the menu bar's popup shows the item, then taps it.
    void chooseMenuItem(unsigned long window, std::u16string_view item) {
        const ShownText wanted(item);
        const platform::draw::Bitmap shown =
            shownWhen(window, [&](const platform::draw::Bitmap& b) { return wanted.in(b); });
        const std::optional<platform::draw::Point> at = wanted.where(shown);
        if (!at) {
            keep(shown, "missing-item.png");
            ADD_FAILURE() << "the menu does not show the item (see missing-item.png)";
            return;
        }
        input.tap(window, at->x, at->y);
    }
    // Writes the shot beside the test's output, for a look when a test fails.
    void keep(const platform::draw::Bitmap& shot, const std::string& name) {
        const std::filesystem::path folder =
            std::filesystem::path(::testing::TempDir()) / "pelorvant-shots";
        std::filesystem::create_directories(folder);
        shot.savePng((folder / name).string());
    }

    static bool samePixels(const platform::draw::Bitmap& a, const platform::draw::Bitmap& b) {
        if (a.width() != b.width() || a.height() != b.height())
            return false;
        for (int y = 0; y < a.height(); ++y) {
            if (!std::equal(a.row(y), a.row(y) + a.width(), b.row(y)))
                return false;
        }
        return true;
    }
    // How many pixels of the rectangle have exactly that colour (0xRRGGBB).
    static int countColour(const platform::draw::Bitmap& shot, std::uint32_t rgb, int x0 = 0,
                           int y0 = 0, int x1 = -1, int y1 = -1) {
        if (x1 < 0)
            x1 = shot.width();
        if (y1 < 0)
            y1 = shot.height();
        int n = 0;
        for (int y = std::max(0, y0); y < std::min(y1, shot.height()); ++y) {
            const std::uint32_t* row = shot.row(y);
            for (int x = std::max(0, x0); x < std::min(x1, shot.width()); ++x)
                n += (row[x] & 0xFFFFFFu) == rgb ? 1 : 0;
        }
        return n;
    }

    platform::testkit::PrivateXServer x;
    platform::testkit::XDisplayProbe probe{x.display()};
    platform::testkit::XTestInput input{x.display()};
    trasa::testing::TempFolder home;
    std::filesystem::path data = home / "share/pelorvant/data";
    std::filesystem::path runtime = home / "runtime";
};

}  // namespace pelorvant::testing
