#pragma once
// The program's own start-up and shut-down steps: the SDL display over the shared steps
// (settings, engine, timetable data, language library); the parts that later pieces of the program
// supply (image names, GPS receiver, main frame, first views, update check) come in through
// LaterParts and do nothing, or make the stand-in frame, until they do.
#include "app/program/life/CoreSteps.h"
#include "app/program/life/ProgramSteps.h"
#include "platform/backends/SdlBackend.h"
#include "platform/ui/DeviceProfile.h"

#include <functional>
#include <memory>

namespace pelorvant {

struct LaterParts {
    std::function<void()> registerImageNames;
    std::function<void()> createGpsReceiver;
    std::function<void()> stopGpsReceiver;
    // The main frame with its first tab; the stand-in frame when empty.
    std::function<platform::WindowHandle(ProgramSteps&)> createMainFrame;
    std::function<void()> showTimetableSetChoice;
    std::function<void()> showFirstRunWizard;
    std::function<void()> startUpdateCheck;
    std::function<void()> startHandedOverUpdateCheck;
};

class PelorvantSteps final : public CoreSteps {
public:
    // hooks: the updater's registration and the restart (not owned); zoom: the window's
    // whole-number scale of the device screen.
    PelorvantSteps(platform::ui::DeviceProfile profile, int zoom, ProgramFolders folders,
                   SystemHooks& hooks, LaterParts later);
    ~PelorvantSteps() override;

    bool initFramework() override;
    void registerImageNames() override { call(later_.registerImageNames); }
    void createGpsReceiver() override { call(later_.createGpsReceiver); }
    platform::WindowHandle createMainFrame() override;
    void showMainWindow(platform::WindowHandle frame) override;
    void showTimetableSetChoice() override { call(later_.showTimetableSetChoice); }
    void showFirstRunWizard() override { call(later_.showFirstRunWizard); }
    void startUpdateCheck() override { call(later_.startUpdateCheck); }
    void startHandedOverUpdateCheck() override { call(later_.startHandedOverUpdateCheck); }
    std::string mainWindowTitle() override;
    // The main frame, and the display's window with it, to the front.
    void raiseMainWindow() override;
    void stopGpsReceiver() override { call(later_.stopGpsReceiver); }
    void destroyTimetableData() override { dropTimetableData(); }

private:
    static void call(const std::function<void()>& step) {
        if (step) step();
    }

    platform::ui::DeviceProfile profile_;
    int zoom_;
    LaterParts later_;
    std::unique_ptr<platform::backends::SdlBackend> backend_;
};

}  // namespace pelorvant
