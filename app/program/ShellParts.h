#pragma once
// What the shell brings to the program's start-up: the image names, the main frame with its
// tabs over the settings, the timetable data and the engine, the first timetable-set choice,
// and the sample timetable on first use.
#include "app/core/ProgramContext.h"
#include "app/program/AppShellSettings.h"
#include "app/program/TabLoadedSets.h"
#include "app/program/life/ProgramSteps.h"
#include "app/program/tabs/TabFrame.h"

#include <memory>

namespace pelorvant {

class ShellParts {
public:
    ShellParts() = default;
    // The frame with its tabs goes; the shell's settings return to the defaults.
    ~ShellParts();
    ShellParts(const ShellParts&) = delete;
    ShellParts& operator=(const ShellParts&) = delete;

    // Installs the sample into an empty data folder, then makes the frame with its first tab
    // over the program's one context, which must outlive this object: the frame, its tabs and
    // views see what start-up puts into it, before and after. Throws ExceptionExit when the
    // frame cannot be made.
    platform::WindowHandle createMainFrame(ProgramSteps& steps, ProgramContext& context);
    // The first tab shows the timetable-set choice and loads the default set when it can.
    void showTimetableSetChoice();
    // The first tab shows the first-run wizard.
    void showFirstRunWizard();
    // The update of all timetables of the first country in the active tab: at start-up with no
    // view to return to, on a hand-over returning to the view the tab shows. A hand-over while
    // the tab shows its progress view (a load, search or download runs) is let go.
    void startUpdateCheck(bool handedOver);

    // Null until createMainFrame; owned here.
    cTabFrame* frame() const { return frame_.get(); }

private:
    // The box that the sample could not be copied, once, over the first view.
    void tellSampleFailure();

    ProgramContext* context_ = nullptr;
    bool sampleFailed_ = false;
    std::unique_ptr<AppShellSettings> shellSettings_;
    const ShellSettings* previousShellSettings_ = nullptr;
    std::unique_ptr<cTabFrame> frame_;
    std::unique_ptr<TabLoadedSets> loadedSets_;
};

}  // namespace pelorvant
