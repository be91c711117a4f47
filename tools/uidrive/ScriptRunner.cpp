#include "tools/uidrive/ScriptRunner.h"
#include "tools/uidrive/TabSteps.h"
#include "tools/uidrive/EndHold.h"

#include "app/core/UpdateAddresses.h"
#include "platform/services/http/LoopbackHttpServer.h"
#include "tools/mkupdate/UpdateFolder.h"

#include "app/core/AppSettings.h"
#include "app/core/CalendarWriter.h"
#include "app/core/DesktopServices.h"
#include "app/core/DeviceActions.h"
#include "app/core/EngineIni.h"
#include "app/core/PrivateMessages.h"
#include "app/core/SmsSender.h"
#include "app/core/StartedForUpdate.h"
#include "app/program/tabs/TabFrame.h"
#include "app/shell/ChoiceDropList.h"
#include "app/shell/DateTimeValue.h"
#include "app/shell/FatalError.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/RestartApplication.h"
#include "tools/uidrive/LabelLines.h"
#include "tools/uidrive/LanguageCheck.h"
#include "tools/uidrive/SearchHold.h"
#include "tools/uidrive/VisibleDump.h"

#include "platform/controls/Controls.h"
#include "platform/controls/ListView.h"
#include "platform/core/LocalTime.h"
#include "platform/core/MessageLoop.h"
#include "platform/core/Thread.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Utf.h"
#include "platform/services/gps/FakeGpsSource.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/testkit/ImageCompare.h"
#include "platform/testkit/RepaintCheck.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Input.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowObject.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <thread>

#include <sys/stat.h>

namespace uidrive {

namespace fs = std::filesystem;
namespace ui = platform::ui;
using platform::draw::toUtf8;

namespace {

std::u16string utf16(const std::string& text) { return platform::draw::fromUtf8(text); }

// A new private folder under the temporary folder. Its name ends in eight random digits rather
// than mkdtemp's letters: digits all have one width in the program's font, so a path shown on
// screen (the data view's "Umístění:") takes the same room in every run and goldens stay stable.
fs::path freshFolder(const char* what) {
    std::random_device entropy;
    std::uniform_int_distribution<unsigned> digits(0, 99999999);
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08u", digits(entropy));
        fs::path folder = fs::temp_directory_path() / (std::string("uidrive-") + what + "-" + suffix);
        if (::mkdir(folder.c_str(), 0700) == 0) return folder;
        if (errno != EEXIST) return {};
    }
    return {};
}

bool contains(const std::u16string& text, const std::u16string& part) { return text.find(part) != std::u16string::npos; }

const std::map<std::string, std::uint32_t>& keyNames() {
    static const std::map<std::string, std::uint32_t> names = {
        {"LEFT", ui::VK_LEFT},     {"RIGHT", ui::VK_RIGHT},   {"UP", ui::VK_UP},       {"DOWN", ui::VK_DOWN},
        {"RETURN", ui::VK_RETURN}, {"ENTER", ui::VK_RETURN}, {"BACK", ui::VK_ESCAPE}, {"ESCAPE", ui::VK_ESCAPE},
        {"SPACE", ui::VK_SPACE},   {"TAB", ui::VK_TAB},       {"SOFT1", ui::VK_TSOFT1}, {"SOFT2", ui::VK_TSOFT2},
    };
    return names;
}

// The first visible window of the tree with the control id.
platform::WindowHandle findVisible(platform::WindowHandle root, std::uintptr_t id) {
    if (root == platform::kNullWindow || !ui::isWindowVisible(root)) return platform::kNullWindow;
    if (ui::getDlgCtrlId(root) == id) return root;
    for (platform::WindowHandle child : ui::getChildren(root)) {
        if (const platform::WindowHandle found = findVisible(child, id); found != platform::kNullWindow) return found;
    }
    return platform::kNullWindow;
}

// The texts of the visible rich-text labels below the window, without their markup tags.
void collectLabelTexts(platform::WindowHandle window, std::vector<std::u16string>& texts) {
    if (window == platform::kNullWindow || !ui::isWindowVisible(window))
        return;
    if (const auto* label =
            dynamic_cast<const pelorvant::ImageLabel*>(ui::WindowObject::fromHandle(window))) {
        std::u16string plain;
        const std::u16string& markup = label->markupText;
        for (std::size_t i = 0; i < markup.size(); ++i) {
            if (markup.compare(i, 2, u"<*") == 0) {
                if (const auto end = markup.find(u"*>", i + 2); end != std::u16string::npos) {
                    i = end + 1;
                    continue;
                }
            }
            plain += markup[i] == u'\r' ? u'\n' : markup[i];
        }
        texts.push_back(plain);
    }
    for (platform::WindowHandle child : ui::getChildren(window))
        collectLabelTexts(child, texts);
}

// The items of the visible choices of the tree (a keypad's choice shows one at a time).
void collectChoiceTexts(platform::WindowHandle window, std::vector<std::u16string>& texts) {
    if (window == platform::kNullWindow || !ui::isWindowVisible(window))
        return;
    if (const auto* choice =
            dynamic_cast<const pelorvant::cChoiceDropList*>(ui::WindowObject::fromHandle(window)))
        texts.insert(texts.end(), choice->items.begin(), choice->items.end());
    for (platform::WindowHandle child : ui::getChildren(window))
        collectChoiceTexts(child, texts);
}

// Every shown window of the tree with the control id, in tree order.
void collectVisible(platform::WindowHandle root, std::uintptr_t id,
                    std::vector<platform::WindowHandle>& out) {
    if (root == platform::kNullWindow || !ui::isWindowVisible(root))
        return;
    if (ui::getDlgCtrlId(root) == id)
        out.push_back(root);
    for (platform::WindowHandle child : ui::getChildren(root))
        collectVisible(child, id, out);
}

// Real time a worker may take before "wait" gives up on it.
constexpr auto kWorkerPatience = std::chrono::seconds(60);

}  // namespace

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        std::string word;
        if (line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    ++i;
                    // \n is a line break (message boxes break their lines so); any other
                    // character after a backslash stands for itself.
                    word += line[i] == 'n' ? '\n' : line[i];
                    continue;
                }
                word += line[i];
            }
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ') word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

ScriptRunner::ScriptRunner(DriveOptions options) : options_(std::move(options)), kit_(options_.profile,
                                                                                      platform::testkit::Text::Real) {
    if (options_.dataFolder.empty()) madeFolders_.push_back(options_.dataFolder = freshFolder("data"));
    if (options_.configHome.empty()) madeFolders_.push_back(options_.configHome = freshFolder("config"));
    // Calendar entries go under the run's own folder.
    ::setenv("XDG_DATA_HOME", options_.configHome.c_str(), 1);
    pelorvant::setDesktopOpener(&opener_);
    pelorvant::setSmsService(&sms_);
    pelorvant::setCalendarService(&calendar_);
    platform::shell::setMessageBoxAnswerer([this](const platform::shell::MessageBoxRequest& request) {
        boxes_.push_back(request.text);
        boxesToCheck_.push_back(request.text);
        boxesToCheck_.push_back(request.caption);
        const bool yesNo = (request.type & 0xF) == platform::shell::MB_YESNO;
        if (answers_.empty()) {
            if (unexpectedBox_.empty()) unexpectedBox_ = "a message box nobody answered: \"" + toUtf8(request.text) + "\"";
            return static_cast<int>(yesNo ? platform::shell::IDNO : platform::shell::IDOK);
        }
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

ScriptRunner::~ScriptRunner() {
    // A search or a message the script left in the hold ends, so that the program can end.
    searchhold::release();
    releaseEndHold();
    sms_.release();
    app_.reset();
    program_.reset();
    if (faults_)
        faults_->release();
    platform::shell::setMessageBoxAnswerer({});
    pelorvant::setDesktopOpener(nullptr);
    pelorvant::setSmsService(nullptr);
    pelorvant::setCalendarService(nullptr);
    pelorvant::setTimeSource({});
    std::error_code ec;
    for (const fs::path& folder : madeFolders_) fs::remove_all(folder, ec);
}

void DriveHooks::restartApplication(std::u16string_view question, bool force) {
    pelorvant::RestartServices services{
        launcher,
        "pelorvant",
        [](platform::WindowHandle owner, std::u16string_view text, std::u16string_view caption) {
            return platform::shell::messageBox(owner, text, caption,
                                               platform::shell::MB_YESNO | platform::shell::MB_ICONQUESTION);
        },
        [this](int) { ++exits; },
        u"Pelorvant",
        {}};
    pelorvant::restartApplication(question, pelorvant::mainFrameWindow(), force, services);
}

namespace {

constexpr const char* kSettingsFile = "nastaveni.ini";
constexpr const char* kSettingsTemporary = "nasTemp.dat";

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

namespace {

// What a person does with a held finger's context menu: waits for it, a virtual millisecond at
// a time, then lifts the finger, looks at the menu (`whileOpen`) and chooses its item `item`
// (from 1) with the keys. `opened` tells whether a menu came; without one it gives up after a
// few seconds.
struct ContextMenuChoice {
    platform::testkit::UiTestKit* kit;
    platform::draw::Point at;
    int item;
    std::function<void()> whileOpen;
    std::shared_ptr<bool> opened;
    int patience = 5000;
    void operator()() {
        if (platform::shell::openMenuPopups().empty()) {
            if (patience-- > 0) {
                kit->clock().advance(1);
                kit->duringModal(*this);
            }
            return;
        }
        *opened = true;
        ui::fingerUp(at);
        if (whileOpen) whileOpen();
        for (int i = 0; i < item; ++i) kit->key(ui::VK_DOWN);
        kit->key(ui::VK_RETURN);
    }
};

}  // namespace

std::string ScriptRunner::expand(const std::string& text) const {
    std::string out = text;
    const std::pair<std::string, std::string> vars[] = {
        {"${FIXTURES}", options_.fixtures.string()},
        {"${DATA}", options_.dataFolder.string()},
        {"${SAMPLE}", (options_.programFolder.parent_path() / "data" / "sample.jz").string()},
        {"${STORAGE}", faults_ ? faults_->storage().string() : std::string()},
    };
    for (const auto& [name, value] : vars) {
        for (std::size_t at; (at = out.find(name)) != std::string::npos;) out.replace(at, name.size(), value);
    }
    return out;
}

platform::WindowHandle ScriptRunner::frameWindow() const {
    return program_ && program_->frame() ? program_->frame()->handle() : platform::kNullWindow;
}

pelorvant::cTabPage* ScriptRunner::activePage() const {
    return program_ && program_->frame() ? program_->frame()->host().activePage() : nullptr;
}

platform::WindowHandle ScriptRunner::visibleList() const {
    pelorvant::cTabPage* page = activePage();
    if (page == nullptr || page->activeView == nullptr) return platform::kNullWindow;
    for (platform::WindowHandle child : ui::getChildren(page->activeView->handle())) {
        if (ui::getClassName(child) == platform::controls::kListViewClass && ui::isWindowVisible(child)) return child;
    }
    return platform::kNullWindow;
}

std::string ScriptRunner::start(bool forUpdate) {
    if (started_) return "the program runs already";
    pelorvant::setStartedForUpdate(forUpdate);
    pelorvant::ProgramOptions options;
    options.programFolder = options_.programFolder;
    options.dataFolder = options_.dataFolder;
    options.configHome = options_.configHome;
    options.device = pelorvant::deviceFactsOf(ui::deviceProfile());
    options.hooks = &hooks_;
    options.routeEngine = searchhold::routeThroughHold;
    options.gpsSource = [this]() -> std::unique_ptr<platform::services::GpsSource> {
        auto source = std::make_unique<platform::services::FakeGpsSource>();
        source->setAttached(gpsAttached_);
        gps_ = source.get();
        return source;
    };
    program_ = std::make_unique<pelorvant::RunningProgram>(std::move(options));
    app_ = std::make_unique<pelorvant::cPelorvantMain>(*program_);
    started_ = true;
    program_->initFramework();
    if (!app_->initInstance()) return "the program did not start";
    boxes_.clear();  // the start's own questions were answered by the script
    return waitIdle(0);
}

std::string ScriptRunner::serve() {
    if (server_) return {};
    std::string pattern = (fs::temp_directory_path() / "uidrive-server-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return "cannot make the server's folder";
    serverFolder_ = pattern;
    madeFolders_.push_back(serverFolder_);
    mkupdate::writeUpdateFolder({.folder = serverFolder_});
    server_ = std::make_unique<platform::services::LoopbackHttpServer>();
    server_->serveFolder("/", serverFolder_.string());
    ::setenv(pelorvant::kUpdateServerVariable, server_->url("/").c_str(), 1);
    return {};
}

std::string ScriptRunner::repaintDifference(const std::string& image) const {
    // Both screens go beside the shots, named after the step's image, for a look at the loss.
    const fs::path stem =
        (options_.shots.empty() ? fs::path(image) : options_.shots / image).replace_extension();
    const std::string lost = platform::testkit::wholeRepaintDifference(stem.string() + "-lost");
    return lost.empty() ? lost
                        : lost + " (see " + stem.string() + "-lost-shown.png and -repainted.png)";
}

std::string ScriptRunner::waitIdle(std::uint64_t ms) {
    kit_.advance(ms);
    const auto deadline = std::chrono::steady_clock::now() + kWorkerPatience;
    while (program_ && program_->settings() && !program_->settings()->idle) {
        if (std::chrono::steady_clock::now() > deadline) return "a worker did not finish";
        kit_.pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kit_.pump();
    return {};
}

std::string ScriptRunner::waitDeviceActions() {
    const auto deadline = std::chrono::steady_clock::now() + kWorkerPatience;
    while (!sms_.held() && pelorvant::deviceActionsUnderway() > 0) {
        if (std::chrono::steady_clock::now() > deadline) return "a device action did not come back";
        kit_.pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return {};
}

std::string ScriptRunner::step(const std::vector<std::string>& w, std::ostream& out) {
    const std::string& op = w[0];
    const auto need = [&](std::size_t n) { return w.size() >= n + 1; };
    const auto number = [&](std::size_t i) { return std::atoi(w[i].c_str()); };
    if (op == "install" && need(1)) {
        const fs::path source = expand(w[1]);
        const fs::path target = options_.dataFolder / (need(2) ? fs::path(w[2]) : source.filename());
        std::error_code ec;
        fs::create_directories(options_.dataFolder, ec);
        fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
        return ec ? "cannot install " + source.string() + ": " + ec.message() : std::string();
    }
    if (op == "serve")
        return serve();
    if (std::optional<std::string> handled = faultStep(w))
        return *handled;
    if (std::optional<std::string> handled = tabStep(kit_, frameWindow(), w))
        return *handled;
    if (std::optional<std::string> handled = endHoldStep(w, frameWindow(), kWorkerPatience, [this] { kit_.pump(); }))
        return *handled;
    if (op == "offer" && need(2)) {
        if (const std::string failed = serve(); !failed.empty()) return failed;
        std::error_code ec;
        fs::copy_file(expand(w[1]), serverFolder_ / w[2], fs::copy_options::overwrite_existing, ec);
        if (ec) return "cannot offer " + w[1] + ": " + ec.message();
        mkupdate::writeUpdateFolder({.folder = serverFolder_});
        return {};
    }
    if (op == "server-down") {
        server_.reset();
        return {};
    }
    if (op == "remove" && need(1)) {
        std::error_code ec;
        return fs::remove(options_.dataFolder / w[1], ec) ? std::string() : "nothing to remove: " + w[1];
    }
    if (op == "answer" && need(1)) {
        const std::map<std::string, int> answers = {{"yes", static_cast<int>(platform::shell::IDYES)},
                                                    {"no", static_cast<int>(platform::shell::IDNO)},
                                                    {"ok", static_cast<int>(platform::shell::IDOK)}};
        const auto it = answers.find(w[1]);
        if (it == answers.end()) return "answer yes, no or ok";
        answers_.push_back(it->second);
        return {};
    }
    if (op == "preset" && need(2)) {
        // A "setup" key in the settings file before the program reads it.
        if (started_) return "preset comes before the start";
        std::error_code ec;
        fs::create_directories(options_.dataFolder, ec);
        std::ofstream(options_.dataFolder / kSettingsFile, std::ios::app | std::ios::binary)
            << "[setup]\r\n   " << w[1] << '=' << w[2] << "\r\n";
        return {};
    }
    if (op == "preset-ini" && need(3)) {
        // A key of any section (a timetable's "-setup" section) before the program reads it.
        if (started_) return "preset-ini comes before the start";
        std::error_code ec;
        fs::create_directories(options_.dataFolder, ec);
        std::ofstream(options_.dataFolder / kSettingsFile, std::ios::app | std::ios::binary)
            << '[' << w[1] << "]\r\n   " << w[2] << '=' << w[3] << "\r\n";
        return {};
    }
    if (op == "snapshot") {
        snapshot_.clear();
        for (const auto& entry : fs::directory_iterator(options_.dataFolder)) {
            if (entry.is_regular_file()) snapshot_[entry.path()] = readWhole(entry.path());
        }
        return {};
    }
    if (op == "expect-unchanged") {
        std::map<fs::path, std::string> now;
        for (const auto& entry : fs::directory_iterator(options_.dataFolder)) {
            if (entry.is_regular_file()) now[entry.path()] = readWhole(entry.path());
        }
        for (const auto& [path, text] : snapshot_) {
            const auto it = now.find(path);
            if (it == now.end()) return path.filename().string() + " is gone";
            if (it->second != text) return path.filename().string() + " changed";
        }
        for (const auto& [path, text] : now) {
            if (!snapshot_.contains(path)) return path.filename().string() + " is new";
        }
        return {};
    }
    if (op == "expect-file" && need(1)) {
        // The settings file on disk holds the text (compared without regard to case).
        const std::string text = lowered(readWhole(options_.dataFolder / kSettingsFile));
        if (text.find(lowered(w[1])) == std::string::npos) return std::string(kSettingsFile) + " lacks " + w[1];
        return {};
    }
    if (op == "expect-no-file-text" && need(1)) {
        const std::string text = lowered(readWhole(options_.dataFolder / kSettingsFile));
        if (text.find(lowered(w[1])) != std::string::npos) return std::string(kSettingsFile) + " holds " + w[1];
        return {};
    }
    if (op == "data-read-only" && need(1)) {
        // The folder refuses new files; a folder in place of the settings' temporary file makes
        // the writes fail even where permissions are not checked (a root user).
        std::error_code ec;
        const fs::path temporary = options_.dataFolder / kSettingsTemporary;
        if (w[1] == "on") {
            fs::remove(temporary, ec);
            fs::create_directory(temporary, ec);
            fs::permissions(options_.dataFolder, fs::perms::owner_read | fs::perms::owner_exec, ec);
        } else {
            fs::permissions(options_.dataFolder, fs::perms::owner_all, ec);
            fs::remove(temporary, ec);
        }
        return ec ? "cannot change the data folder: " + ec.message() : std::string();
    }
    if (op == "expect-restart" && need(1)) {
        const int launched = static_cast<int>(hooks_.launcher.starts.size());
        if (launched != std::atoi(w[1].c_str())) return "restarts launched: " + std::to_string(launched);
        for (const auto& started : hooks_.launcher.starts) {
            if (started.args != std::vector<std::string>{"restart"}) return "a restart without \"restart\"";
        }
        return {};
    }
    if (op == "start") return start();
    if (op == "start-for-update") return start(true);
    if (!started_) {
        if (const std::string failed = start(); !failed.empty()) return failed;
    }
    if (op == "tap" && need(2)) {
        kit_.tap(platform::draw::Point{number(1), number(2)});
    } else if (op == "hold" && w.size() >= 4) {
        // Held until the context menu opens; its item w[3] is chosen, after the golden w[4].
        const platform::draw::Point at{number(1), number(2)};
        auto opened = std::make_shared<bool>(false);
        std::string seen;
        std::function<void()> look;
        if (w.size() >= 5) look = [&] { seen = step({"golden", w[4]}, out); };
        kit_.duringModal(ContextMenuChoice{&kit_, at, number(3), look, opened});
        kit_.press(at);
        if (!*opened) return "no context menu opened at " + w[1] + " " + w[2];
        if (!seen.empty()) return seen;
    } else if (op == "hold" && need(2)) {
        kit_.press(platform::draw::Point{number(1), number(2)});
        kit_.advance(1000);
        kit_.release(platform::draw::Point{number(1), number(2)});
    } else if ((op == "tap-row" || op == "check-row") && need(1)) {
        const platform::WindowHandle list = visibleList();
        if (list == platform::kNullWindow) return "no list is shown";
        ui::Rect rect;
        if (platform::sendMessage(list, platform::controls::LVM_GETITEMRECT, static_cast<std::uintptr_t>(number(1)),
                                  reinterpret_cast<std::intptr_t>(&rect)) == 0) {
            return "no row " + w[1];
        }
        const int x = op == "check-row" ? rect.left + 6 : rect.left + rect.width() / 2;
        kit_.tap(ui::clientToScreen(list, platform::draw::Point{x, rect.top + rect.height() / 2}));
    } else if (op == "tap-window" && need(1)) {
        const platform::WindowHandle target = findVisible(frameWindow(), static_cast<std::uintptr_t>(number(1)));
        if (target == platform::kNullWindow) return "no visible window with id " + w[1];
        kit_.tap(target);
    } else if (op == "now" && need(2)) {
        // The date and time the program's fields take as "now": YYYY-MM-DD HH:MM, local time.
        std::tm parts{};
        if (std::sscanf((w[1] + " " + w[2]).c_str(), "%d-%d-%d %d:%d", &parts.tm_year, &parts.tm_mon, &parts.tm_mday,
                        &parts.tm_hour, &parts.tm_min) != 5) {
            return "now takes YYYY-MM-DD HH:MM";
        }
        parts.tm_year -= 1900;
        parts.tm_mon -= 1;
        parts.tm_isdst = -1;
        const std::time_t fixed = std::mktime(&parts);
        pelorvant::setTimeSource([fixed] { return fixed; });
        // The program's clock shows the same time (the hour grid opens on its hour).
        platform::SystemTime local;
        local.year = parts.tm_year + 1900;
        local.month = parts.tm_mon + 1;
        local.day = parts.tm_mday;
        local.dayOfWeek = parts.tm_wday;
        local.hour = parts.tm_hour;
        local.minute = parts.tm_min;
        kit_.clock().setLocalTime(local);
        // The search form takes the time at once, as its "Aktualizovat čas" does; not a menu
        // command, which the frame obeys only while a menu offers it.
        if (pelorvant::cTabPage* page = started_ ? activePage() : nullptr)
            page->searchForm.routeCommand(307, 0);
    } else if (op == "focus" && need(1)) {
        // Puts the keyboard focus into a field, as a tap on its text would.
        const platform::WindowHandle target = findVisible(frameWindow(), static_cast<std::uintptr_t>(number(1)));
        if (target == platform::kNullWindow) return "no visible window with id " + w[1];
        ui::setFocus(target);
    } else if (op == "expect-opened" && need(1)) {
        // The last address or file handed to the desktop (help, composer, calendar).
        if (opener_.opened.empty()) return "nothing was opened";
        if (opener_.opened.back().find(w[1]) == std::string::npos) return "the last opened was " + opener_.opened.back();
    } else if (op == "expect-sms" && need(2)) {
        // The last text message asked for went to that number with that text.
        const auto messages = sms_.messages();
        if (messages.empty()) return "no text message was sent";
        const auto& last = messages.back();
        if (last.number != w[1] || last.text != w[2]) return "the last text message was " + last.text + " to " + last.number;
    } else if (op == "expect-no-sms") {
        if (const auto messages = sms_.messages(); !messages.empty()) {
            return "a text message was sent: " + messages.back().text;
        }
    } else if (op == "sms-refuse") {
        // The modem refuses to send what follows.
        sms_.refuse();
    } else if (op == "sms-hold") {
        sms_.hold();
    } else if (op == "sms-release") {
        sms_.release();
    } else if (op == "composer-refuse") {
        // No program takes what the desktop is handed from now on.
        opener_.succeeds = false;
    } else if (op == "calendar-refuse") {
        // No calendar service answers, and a file stands where the form's calendar folder
        // belongs: no calendar entry can be made either way.
        calendar_.refuse();
        const fs::path folder = pelorvant::calendarFolder();
        std::error_code ec;
        if (fs::exists(folder, ec)) return "the calendar folder exists already";
        fs::create_directories(folder.parent_path(), ec);
        std::ofstream(folder) << "not a folder\n";
        if (!fs::is_regular_file(folder, ec)) return "cannot block " + folder.string();
    } else if (op == "expect-calendar" && need(1)) {
        // The last event given to the calendar service holds the text, or (with the form) a
        // calendar file of the run does.
        std::error_code ec;
        bool found = false;
        std::string all;
        if (const auto events = calendar_.events(); !events.empty()) {
            found = events.back().find(w[1]) != std::string::npos;
            all = events.back();
        }
        for (const auto& entry : fs::directory_iterator(pelorvant::calendarFolder(), ec)) {
            std::ifstream in(entry.path());
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            found = found || text.find(w[1]) != std::string::npos;
            all += text;
        }
        if (!found) return "no calendar entry holds \"" + w[1] + "\" in\n" + all;
    } else if (op == "key" && need(1)) {
        const auto it = keyNames().find(w[1]);
        if (it == keyNames().end()) return "unknown key " + w[1];
        kit_.key(it->second);
    } else if (op == "keys" && need(1)) {
        // The phone keypad's keys, as a person presses them one after another: "keys 27 66"
        // presses 2, 7, 6, 6; "#" is the pound key.
        for (std::size_t i = 1; i < w.size(); ++i) {
            for (const char c : w[i]) {
                if (c >= '0' && c <= '9') {
                    kit_.key(ui::VK_0 + static_cast<std::uint32_t>(c - '0'));
                } else if (c == '#') {
                    kit_.key(ui::VK_TPOUND);
                } else if (c == '*') {
                    kit_.key(ui::VK_TSTAR);
                } else {
                    return std::string("not a keypad key: ") + c;
                }
            }
        }
    } else if (op == "text" && need(1)) {
        kit_.type(utf16(w[1]));
    } else if (op == "command" && need(1)) {
        platform::sendMessage(frameWindow(), ui::WM_COMMAND, static_cast<std::uintptr_t>(number(1)), 0);
    } else if (op.starts_with("gps")) {
        if (const std::string failed = gpsStep(w); !failed.empty())
            return failed;
    } else if (op == "hold-search") {
        // The next search waits at the engine until the program cancels it.
        searchhold::arm();
    } else if (op == "expect-search-held") {
        if (!searchhold::waitUntilHeld(kWorkerPatience)) return "no search reached the hold";
    } else if (op == "wait") {
        if (const std::string failed = waitIdle(need(1) ? static_cast<std::uint64_t>(number(1)) : 0); !failed.empty()) {
            return failed;
        }
    } else if (op == "setting" && need(2)) {
        const pelorvant::EngineIni ini(*program_->context().api);
        if (!ini.writeString(pelorvant::kSetupSection, utf16(w[1]), utf16(w[2])) || !ini.flush()) {
            return "cannot store " + w[1];
        }
    } else if (op == "restart") {
        if (ui::isUiWindow(frameWindow())) platform::sendMessage(frameWindow(), pelorvant::WM_APP_TERMINATE, 0, 0);
        kit_.pump();
        app_.reset();
        program_.reset();
        gps_ = nullptr;
        kit_.pump();
        started_ = false;
        if (const std::string failed = start(); !failed.empty()) return failed;
    } else if (op == "rotate") {
        ui::rotateScreen();
    } else if (op == "expect-on-screen" && need(1)) {
        // Every shown window with the id lies whole on the screen and inside its parent's client
        // area; with a count, there are that many of them.
        std::vector<platform::WindowHandle> shown;
        collectVisible(frameWindow(), static_cast<std::uintptr_t>(number(1)), shown);
        if (need(2) && static_cast<int>(shown.size()) != number(2)) {
            return std::to_string(shown.size()) + " shown windows with id " + w[1];
        }
        if (shown.empty())
            return "no visible window with id " + w[1];
        const auto size = ui::screenSize();
        const ui::Rect screen{0, 0, size.width, size.height};
        for (const platform::WindowHandle h : shown) {
            const ui::Rect r = ui::getWindowRect(h);
            const platform::WindowHandle parent = ui::getParent(h);
            const platform::draw::Point origin = ui::clientToScreen(parent, {0, 0});
            const ui::Rect client = ui::getClientRect(parent).offset(origin.x, origin.y);
            if (r.intersect(screen) != r || r.intersect(client) != r) {
                return "window with id " + w[1] + " at [" + std::to_string(r.left) + "," +
                       std::to_string(r.top) + " " + std::to_string(r.width()) + "x" +
                       std::to_string(r.height()) + "] lies outside " + "the screen " +
                       std::to_string(size.width) + "x" + std::to_string(size.height) +
                       " or its parent's client area";
            }
        }
    } else if (op == "expect-view" && need(1)) {
        pelorvant::cTabPage* page = activePage();
        if (page == nullptr) return "no tab page";
        if (page->currentViewId != number(1)) return "the view is " + std::to_string(page->currentViewId);
    } else if (op == "expect-text" && need(1)) {
        const std::string dump = dumpVisible(frameWindow());
        if (dump.find(w[1]) == std::string::npos) return "no visible text \"" + w[1] + "\" in\n" + dump;
    } else if (op == "expect-no-text" && need(1)) {
        const std::string dump = dumpVisible(frameWindow());
        if (dump.find(w[1]) != std::string::npos) return "visible text \"" + w[1] + "\" in\n" + dump;
    } else if ((op == "expect-menu" || op == "expect-no-menu" || op == "expect-checked" ||
                op == "expect-unchecked") &&
               need(1)) {
        // expect-checked and expect-unchecked: whether an item with that text carries a check mark.
        const bool checks = op == "expect-checked" || op == "expect-unchecked";
        const std::vector<std::string> items = checks ? checkedMenuItemTexts(frameWindow()) : menuItemTexts(frameWindow());
        const bool found = std::find(items.begin(), items.end(), w[1]) != items.end();
        if (checks && std::ranges::count(menuItemTexts(frameWindow()), w[1]) == 0) return "no menu item \"" + w[1] + "\"";
        if (found != (op == "expect-menu" || op == "expect-checked")) {
            std::string listed;
            for (const std::string& item : items) listed += " \"" + item + "\"";
            return std::string(found ? "menu item" : "no menu item") + " \"" + w[1] + "\"" +
                   (checks ? "; checked are:" : " in:") + listed;
        }
    } else if ((op == "expect-label" || op == "expect-no-label") && need(1)) {
        // A visible rich-text label holds the text (its markup tags left out).
        std::vector<std::u16string> texts;
        collectLabelTexts(frameWindow(), texts);
        const bool found = std::ranges::any_of(
            texts, [&](const std::u16string& t) { return contains(t, utf16(w[1])); });
        if (found != (op == "expect-label")) {
            std::string shown;
            for (const std::u16string& t : texts)
                shown += "\n  \"" + toUtf8(t) + "\"";
            return std::string(found ? "a label holds" : "no label holds") + " \"" + w[1] +
                   "\":" + shown;
        }
    } else if (op == "expect-label-line-whole" && need(1)) {
        // A line of a visible label begins with the text, and its first character is drawn
        // whole: at the label's left edge or right of it.
        std::vector<DrawnLabelLine> lines;
        collectLabelLines(frameWindow(), lines);
        const std::u16string wanted = utf16(w[1]);
        const auto found = std::ranges::find_if(
            lines, [&](const DrawnLabelLine& line) { return line.text.starts_with(wanted); });
        if (found == lines.end()) {
            std::string shown;
            for (const DrawnLabelLine& line : lines)
                shown += "\n  " + std::to_string(line.left) + ": \"" + toUtf8(line.text) + "\"";
            return "no label line begins with \"" + w[1] + "\":" + shown;
        }
        if (found->left < 0)
            return "the label line \"" + toUtf8(found->text) + "\" starts " +
                   std::to_string(-found->left) + " pixels left of the label's edge";
    } else if ((op == "expect-window-colour" || op == "expect-window-no-colour") && need(2)) {
        // Whether the first visible window with the id shows a pixel of the colour (RRGGBB).
        const platform::WindowHandle target =
            findVisible(frameWindow(), static_cast<std::uintptr_t>(number(1)));
        if (target == platform::kNullWindow)
            return "no visible window with id " + w[1];
        const unsigned long rgb = std::strtoul(w[2].c_str(), nullptr, 16);
        const auto colour = platform::draw::rgb(static_cast<std::uint8_t>(rgb >> 16),
                                                static_cast<std::uint8_t>(rgb >> 8),
                                                static_cast<std::uint8_t>(rgb));
        kit_.pump();
        const auto& shown = kit_.screenshot();
        const ui::Rect area = ui::getWindowRect(target);
        int count = 0;
        for (int y = std::max(area.top, 0); y < std::min(area.bottom, shown.height()); ++y) {
            for (int x = std::max(area.left, 0); x < std::min(area.right, shown.width()); ++x) {
                count += shown.pixel(x, y) == colour ? 1 : 0;
            }
        }
        if ((count > 0) != (op == "expect-window-colour")) {
            return "window " + w[1] + " shows " + std::to_string(count) + " pixels of " + w[2];
        }
    } else if (op == "expect-menu-once" && need(1)) {
        const auto times = std::ranges::count(menuItemTexts(frameWindow()), w[1]);
        if (times != 1)
            return "the menu holds \"" + w[1] + "\" " + std::to_string(times) + " times";
    } else if (op == "expect-box" && need(1)) {
        // Each expectation looks at the boxes shown since the previous one.
        const std::u16string last = boxes_.empty() ? std::u16string() : boxes_.back();
        boxes_.clear();
        if (!contains(last, utf16(w[1]))) return "the last message box was \"" + toUtf8(last) + "\"";
    } else if (op == "expect-no-box") {
        const std::u16string last = boxes_.empty() ? std::u16string() : boxes_.back();
        if (!boxes_.empty()) {
            boxes_.clear();
            return "a message box was shown: \"" + toUtf8(last) + "\"";
        }
    } else if (op == "expect-tabs" && need(1)) {
        const int tabs = program_->frame() ? program_->frame()->host().tabCount() : 0;
        if (tabs != number(1)) return "there are " + std::to_string(tabs) + " tabs";
    } else if (op == "expect-active-tab" && need(1)) {
        const int active = program_->frame() ? program_->frame()->host().activeIndex : -1;
        if (active != number(1)) return "tab " + std::to_string(active) + " is active";
    } else if (op == "expect-setting" && need(2)) {
        const pelorvant::EngineIni ini(*program_->context().api);
        const std::u16string value = ini.readString(pelorvant::kSetupSection, utf16(w[1]), u"");
        if (value != utf16(w[2])) return w[1] + " is \"" + toUtf8(value) + "\"";
    } else if (op == "expect-ini" && need(3)) {
        const pelorvant::EngineIni ini(*program_->context().api);
        const std::u16string value = ini.readString(utf16(w[1]), utf16(w[2]), u"");
        if (value != utf16(w[3])) return w[1] + "/" + w[2] + " is \"" + toUtf8(value) + "\"";
    } else if (op == "expect-updater" && need(1)) {
        if (hooks_.updaterCalls.empty()) return "the updater was never installed or removed";
        const bool on = hooks_.updaterCalls.back();
        if (on != (w[1] == "on")) return std::string("the updater was last turned ") + (on ? "on" : "off");
    } else if (op == "hand-over") {
        // A later start with "UpdateData" hands its update request to the running program.
        platform::sendMessage(frameWindow(), pelorvant::WM_UPDATE_HANDOVER, 0, 0);
    } else if (op == "expect-ended") {
        if (ui::isUiWindow(frameWindow())) return "the program still runs";
    } else if (op == "dump") {
        out << dumpVisible(frameWindow());
    } else if (op == "golden" && need(1)) {
        if (options_.goldens.empty()) return "no --golden folder given";
        std::string report;
        const auto& shown = kit_.screenshot();
        if (const std::string lost = repaintDifference(w[1]); !lost.empty())
            return lost;
        // "mask-window ID": a window whose content differs from run to run (a temporary path) is
        // painted over in grey, in the golden too.
        platform::draw::Bitmap screen(shown.width(), shown.height());
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) screen.setPixel(x, y, shown.pixel(x, y));
        }
        if (w.size() >= 4 && w[2] == "mask-window") {
            const platform::WindowHandle masked = findVisible(frameWindow(), static_cast<std::uintptr_t>(number(3)));
            if (masked == platform::kNullWindow) return "no visible window with id " + w[3];
            screen.fill(ui::getWindowRect(masked), platform::draw::rgb(128, 128, 128));
        }
        // Font rendering may differ a little between machines, so a few pixels may (one in 5000);
        // a share as large as a short word would let a changed word pass unseen.
        const int allowed = screen.width() * screen.height() / 5000;
        if (!platform::testkit::matchesGolden(screen, (options_.goldens / w[1]).string(), 48, allowed, &report)) {
            return "the screen differs from " + w[1] + ": " + report;
        }
        if (const std::string faults = languageFaults(); !faults.empty()) return faults;
    } else if (op == "expect-colour" && need(5)) {
        // Text in a colour: a few pixels of the area are that colour (glyph stems cover whole
        // pixels; their edges blend with the background).
        const std::string& hex = w[5];
        if (hex.size() != 7 || hex[0] != '#') return "a colour is written #RRGGBB";
        const unsigned long rgb = std::strtoul(hex.c_str() + 1, nullptr, 16);
        const platform::draw::Color wanted = platform::draw::rgb(
            static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb));
        kit_.pump();
        const auto& shown = kit_.screenshot();
        const platform::draw::Rect area =
            platform::draw::Rect::fromSize(number(1), number(2), number(3), number(4));
        int matching = 0;
        for (int y = std::max(0, area.top); y < std::min(shown.height(), area.bottom); ++y) {
            for (int x = std::max(0, area.left); x < std::min(shown.width(), area.right); ++x) {
                const platform::draw::Color c = shown.pixel(x, y);
                const auto near = [](int a, int b) { return std::abs(a - b) <= 8; };
                if (near(platform::draw::redOf(c), platform::draw::redOf(wanted)) &&
                    near(platform::draw::greenOf(c), platform::draw::greenOf(wanted)) &&
                    near(platform::draw::blueOf(c), platform::draw::blueOf(wanted))) {
                    ++matching;
                }
            }
        }
        if (matching < 4) return "the area holds " + std::to_string(matching) + " pixels of " + hex;
    } else if (op == "expect-language") {
        if (const std::string faults = languageFaults(); !faults.empty()) return faults;
    } else if (op == "shot" && need(1)) {
        const fs::path file = options_.shots.empty() ? fs::path(w[1]) : options_.shots / w[1];
        kit_.pump();
        if (!kit_.saveScreenshot(file.string())) return "cannot write " + file.string();
        if (const std::string lost = repaintDifference(w[1]); !lost.empty())
            return lost;
    } else {
        return "unknown step or missing argument";
    }
    kit_.pump();
    if (const std::string failed = waitDeviceActions(); !failed.empty()) return failed;
    if (!unexpectedBox_.empty()) {
        std::string failed;
        failed.swap(unexpectedBox_);
        return failed;
    }
    return {};
}

std::string ScriptRunner::gpsStep(const std::vector<std::string>& w) {
    const std::string& op = w[0];
    if (gps_ == nullptr)
        return "the program has no GPS receiver";
    platform::services::FakeGpsSource& source = *gps_;
    const int before = source.handedOut();
    if (op == "gps-on") {
        // A receiver is plugged in; it reports nothing yet.
        gpsAttached_ = true;
        source.setAttached(true);
        return {};
    }
    if (op == "gps-lost") {
        // The receiver's connection breaks; it stays unplugged until it reports again.
        gpsAttached_ = false;
        source.setAttached(false);
        if (!source.isOpen())
            return {};
        source.pushFailure();
        return deliverGps(before, true);
    }
    platform::services::GpsPosition position;
    if (op == "gps" && (w.size() == 3 || w.size() == 4)) {
        // A fix at the position; without a heading it has no course (a traveller standing).
        position.latitude = std::atof(w[1].c_str());
        position.longitude = std::atof(w[2].c_str());
        if (w.size() == 4)
            position.heading = std::atof(w[3].c_str());
        position.fixQuality = 1;
        position.fixType = 3;
    } else if (op != "gps-nofix") {
        return "unknown step or missing argument";
    }
    gpsAttached_ = true;
    source.setAttached(true);
    source.pushPosition(position);
    // While the receiver is closed the report waits for it to open.
    return source.isOpen() ? deliverGps(before, false) : std::string();
}

std::string ScriptRunner::deliverGps(int handedOutBefore, bool untilClosed) {
    const auto deadline = std::chrono::steady_clock::now() + kWorkerPatience;
    for (;;) {
        const bool taken = gps_->handedOut() > handedOutBefore;
        if (taken && (untilClosed ? !gps_->isOpen() : gps_->waiting() || !gps_->isOpen()))
            break;
        if (std::chrono::steady_clock::now() > deadline)
            return "the GPS receiver took nothing";
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kit_.pump();
    return {};
}

FaultSteps& ScriptRunner::faults() {
    if (!faults_)
        faults_ = std::make_unique<FaultSteps>(options_.dataFolder, options_.configHome);
    return *faults_;
}

std::optional<std::string> ScriptRunner::faultStep(const std::vector<std::string>& w) {
    const std::string& op = w[0];
    if (op == "offer-damaged" && w.size() >= 4) {
        // Offered whole (the update information names its version), then damaged on the server.
        std::ostringstream ignored;
        if (std::string failed = step({"offer", w[1], w[2]}, ignored); !failed.empty())
            return failed;
        if (w[3] == "flip")
            return FaultSteps::flipReadableBit(serverFolder_ / w[2]);
        return FaultSteps::damage(serverFolder_ / w[2], w[3]);
    }
    if (op == "damage" && w.size() >= 3)
        return FaultSteps::damage(expand(w[1]), w[2]);
    if (op == "update-info" && w.size() >= 2) {
        if (std::string failed = serve(); !failed.empty())
            return failed;
        return FaultSteps::updateInformation(*server_, serverFolder_, w[1]);
    }
    if (op == "storage-tmpfs" && w.size() >= 3)
        return faults().storageOnTmpfs(expand(w[1]), w[2]);
    if (op == "disk-full" && w.size() >= 2)
        return faults().diskFull(w[1] == "on");
    if (op == "expect-same" && w.size() >= 3) {
        if (!sameBytes(expand(w[1]), expand(w[2])))
            return expand(w[1]) + " does not hold the bytes of " + expand(w[2]);
        return std::string();
    }
    if (op == "expect-missing" && w.size() >= 2) {
        std::error_code ec;
        if (fs::exists(expand(w[1]), ec))
            return expand(w[1]) + " exists";
        return std::string();
    }
    return std::nullopt;
}

int ScriptRunner::run(std::istream& script, const std::string& scriptName, std::ostream& out,
                      std::ostream& err) {
    std::string line;
    int number = 1;
    for (; std::getline(script, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> words = splitWords(line);
        if (words.empty() || words[0][0] == '#') continue;
        if (const std::string failed = step(words, out); !failed.empty()) {
            err << scriptName << ":" << number << ": " << line << "\n  " << failed << "\n";
            return 1;
        }
    }
    // The screen the script ends on is whole too, also in a script without shots.
    kit_.pump();
    const std::string endImage = fs::path(scriptName).stem().string() + "-end.png";
    if (const std::string lost = repaintDifference(endImage); !lost.empty()) {
        err << scriptName << ":" << number << ": (the end of the script)\n  " << lost << "\n";
        return 1;
    }
    if (const std::string faults = languageFaults(); !faults.empty()) {
        err << scriptName << ":" << number << ": (the end of the script)\n  " << faults << "\n";
        return 1;
    }
    return 0;
}

std::string ScriptRunner::languageFaults() {
    if (!program_ || program_->settings() == nullptr) return {};
    if (!language_) language_ = std::make_unique<LanguageCheck>(options_.programFolder, options_.timetableSources);
    std::vector<std::u16string> shown;
    for (platform::WindowHandle window : ui::getTopLevelWindows()) {
        collectControlTexts(window, shown);
        collectLabelTexts(window, shown);
        collectChoiceTexts(window, shown);
    }
    for (const std::string& item : menuItemTexts(frameWindow())) shown.push_back(utf16(item));
    shown.insert(shown.end(), boxesToCheck_.begin(), boxesToCheck_.end());
    boxesToCheck_.clear();
    // The data folder and the names of the installed timetable files are data too.
    language_->addDataText(utf16(options_.dataFolder.string()));
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(options_.dataFolder, ec))
        language_->addDataText(utf16(entry.path().filename().string()));
    // So are the files the update server offers (their names are what the server sends).
    if (!serverFolder_.empty()) {
        for (const auto& entry : fs::recursive_directory_iterator(serverFolder_, ec))
            language_->addDataText(utf16(entry.path().filename().string()));
    }
    const int language = program_->settings()->language;
    const std::string faults = language_->faults(language, shown);
    if (faults.empty()) return {};
    return std::string(language == 1 ? "shown texts that are not Slovak:\n" : "shown texts that are not Czech:\n") + faults;
}

}  // namespace uidrive
