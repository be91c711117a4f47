#pragma once
// The steps of the program's start-up and shut-down, in the order the application runs them.
// Each is a seam: the parts of the program supply them (settings, engine binding, timetable
// data; the main frame, the views and the GPS receiver from the shell and the screens), and
// tests record them.
#include "platform/core/Types.h"

#include <exception>
#include <string>

namespace pelorvant {

// Thrown by a start-up step that has already told the user why the program cannot start (the
// engine's own boxes); start-up then ends without a further box.
class StartUpEnded : public std::exception {
public:
    const char* what() const noexcept override { return "start-up ended"; }
};

class ProgramSteps {
public:
    virtual ~ProgramSteps() = default;

    // The platform: display and message boxes (made only once this start will run); the
    // message loop.
    virtual bool initFramework() = 0;
    virtual int runMessageLoop() = 0;

    // Start-up (InitInstance), in this order.
    virtual void showWaitCursor() = 0;
    // The settings object, with the version text "2.3.5 beta" and the build number 11.
    virtual void createSettings() = 0;
    // initApplication: each of these may throw ExceptionExit or StartUpEnded.
    virtual void storeProgramFolder() = 0;
    virtual void detectPlatform() = 0;
    virtual void bindEngineLibrary() = 0;
    virtual void createTimetableData() = 0;
    virtual void registerImageNames() = 0;
    // Loads the settings, then the language library, and asks about GPS.
    virtual void loadLanguageLibrary() = 0;
    virtual void createGpsReceiver() = 0;
    // The framework keeps its own settings under "Pelorvant".
    virtual void setFrameworkRegistryKey() = 0;
    // The main frame with its first tab; may throw ExceptionExit; kNullWindow when it cannot
    // be made.
    virtual platform::WindowHandle createMainFrame() = 0;
    // Show and update the main window, restore the normal cursor.
    virtual void showMainWindow(platform::WindowHandle frame) = 0;
    virtual bool isWizardFinished() = 0;
    // The first tab shows the timetable-set choice and makes its start-up choice.
    virtual void showTimetableSetChoice() = 0;
    // The first tab shows the first-run wizard.
    virtual void showFirstRunWizard() = 0;
    // The start-up's update check in the active tab.
    virtual void startUpdateCheck() = 0;
    // The update check handed over by a later start, in the active tab, which then returns to
    // the view it shows.
    virtual void startHandedOverUpdateCheck() { startUpdateCheck(); }
    // After a failed start-up: the main window goes when there is one.
    virtual void destroyMainWindow() = 0;

    // What a later start asks of the running instance (on the user-interface thread).
    virtual std::string mainWindowTitle() = 0;
    virtual void raiseMainWindow() = 0;

    // Shut-down, in this order.
    virtual void stopGpsReceiver() = 0;
    virtual void destroyTimetableData() = 0;
    // The settings' state keys, "Actualize" and the engine's INI flush.
    virtual void saveState() = 0;
    virtual void flushIni() = 0;
    // WM_CLOSE to the main window: it closes the frame, which ends the message loop.
    virtual void closeMainWindow() = 0;
};

}  // namespace pelorvant
