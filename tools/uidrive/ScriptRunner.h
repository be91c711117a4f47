#pragma once
// Runs the program's whole user interface in-process on the headless backend and drives it
// from a script, one step a line (see README.md beside this file). The first failing step ends
// the run with its line.
#include "app/program/RunningProgram.h"
#include "app/program/life/PelorvantMain.h"

#include "platform/services/launcher/DesktopOpener.h"
#include "platform/services/process/ProcessLauncher.h"
#include "platform/testkit/UiTestKit.h"
#include "tools/uidrive/DriveDevices.h"
#include "tools/uidrive/FaultSteps.h"

#include <deque>
#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <map>
#include <vector>

namespace platform::services {
class FakeGpsSource;
class LoopbackHttpServer;
}

namespace uidrive {

class LanguageCheck;

struct DriveOptions {
    std::string profile = "480x640";
    std::filesystem::path programFolder;  // the engine and the sample's build folder
    std::filesystem::path dataFolder;     // made fresh when empty
    std::filesystem::path configHome;     // made fresh when empty
    std::filesystem::path fixtures;       // ${FIXTURES} in scripts
    std::filesystem::path shots;          // where "shot" writes; the working folder when empty
    std::filesystem::path goldens;        // the golden images "golden" compares with
    std::vector<std::filesystem::path> timetableSources;  // the JSON the timetables are made of
};

// The system hooks of the driven program: the updater's registration is only recorded, and a
// restart asks its question and starts the program through a recording launcher, ending
// nothing.
class DriveHooks final : public pelorvant::SystemHooks {
public:
    void installUpdater(bool enable) override { updaterCalls.push_back(enable); }
    void restartApplication(std::u16string_view question, bool force) override;

    std::vector<bool> updaterCalls;
    platform::services::ProcessLauncherDouble launcher;
    int exits = 0;
};

class ScriptRunner {
public:
    explicit ScriptRunner(DriveOptions options);
    ~ScriptRunner();

    // 0 when every step passed; 1 after printing the failing line to `err`.
    int run(std::istream& script, const std::string& scriptName, std::ostream& out, std::ostream& err);

private:
    // Empty when the step passed, else what failed.
    std::string step(const std::vector<std::string>& words, std::ostream& out);
    // forUpdate: started by the updater ("allways"), so the start-up runs the update check.
    std::string start(bool forUpdate = false);
    std::string waitIdle(std::uint64_t ms);
    // Empty when the screen equals a repaint of every window from nothing; else where it
    // differs, with both screens written beside the shots under the name of `image`.
    std::string repaintDifference(const std::string& image) const;
    // Waits for the program's device actions (text messages, calendar entries, the composer)
    // to come back, as a person waits for the outcome; not while the script holds the modem.
    std::string waitDeviceActions();
    std::string expand(const std::string& text) const;
    platform::WindowHandle frameWindow() const;
    pelorvant::cTabPage* activePage() const;
    platform::WindowHandle visibleList() const;

    DriveOptions options_;
    std::vector<std::filesystem::path> madeFolders_;
    platform::testkit::UiTestKit kit_;
    std::unique_ptr<pelorvant::RunningProgram> program_;
    std::unique_ptr<pelorvant::cPelorvantMain> app_;
    bool started_ = false;
    std::deque<int> answers_;
    std::vector<std::u16string> boxes_;
    // The texts and captions of the boxes shown since the last language check.
    std::vector<std::u16string> boxesToCheck_;
    std::unique_ptr<LanguageCheck> language_;
    // The shown texts, menu items and boxes that are not in the program's language; "" when all are.
    std::string languageFaults();
    std::string unexpectedBox_;
    DriveHooks hooks_;
    std::map<std::filesystem::path, std::string> snapshot_;
    // The update server of "serve" and "offer": a loopback server over a folder mkupdate fills.
    std::unique_ptr<platform::services::LoopbackHttpServer> server_;
    std::filesystem::path serverFolder_;
    std::string serve();
    // What the program hands to the desktop is recorded, never opened.
    platform::services::DesktopOpenerDouble opener_;
    // Text messages and calendar entries are recorded, never sent.
    DriveSms sms_;
    DriveCalendar calendar_;
    // The GPS receiver's position source, owned by the running program's receiver (null while
    // the program does not run); the script plugs a receiver in and feeds it.
    platform::services::FakeGpsSource* gps_ = nullptr;
    bool gpsAttached_ = false;
    std::string gpsStep(const std::vector<std::string>& words);
    // Waits until the receiver took what was fed to its source and posted it, then handles it.
    std::string deliverGps(int handedOutBefore, bool untilClosed);
    // Damaged offers, storage and full disks; made on first use.
    std::unique_ptr<FaultSteps> faults_;
    FaultSteps& faults();
    // The steps that make the world misbehave; nothing when `words` is none of them.
    std::optional<std::string> faultStep(const std::vector<std::string>& words);
};

// Splits a line into words; a word in double quotes may hold spaces (\" for a quote).
std::vector<std::string> splitWords(const std::string& line);

}  // namespace uidrive
