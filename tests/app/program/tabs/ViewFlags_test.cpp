// Every view of a tab page carries its three flags (the Done button, the tab strip, the third
// kept one), and the strip stays above the views that ask for it, the progress view included.
#include "tests/app/program/tabs/SampleProgram.h"

#include "app/shell/ViewTable.h"

#include "platform/ui/WindowTree.h"

namespace pelorvant {
namespace {

class ViewFlagsTest : public SampleProgramTest {};

struct Flags {
    int view;
    bool doneButton;
    bool showStrip;
    bool third;
};

TEST_F(ViewFlagsTest, EveryViewCarriesTheFlagsOfTheTable) {
    const Flags table[] = {
        {kViewSetChoice, true, true, true},      {kViewResults, false, true, true},
        {kViewMessageBox, true, false, false},   {kViewSearchForm, false, true, true},
        {kViewProgress, false, true, false},     {kViewListing, true, true, true},
        {kViewTextBoxPPC, true, false, false},   {kViewData, true, false, false},
        {kViewDataExplorer, true, false, false}, {kViewStopTimetable, false, true, true},
        {kViewGpsNavigation, true, true, true},  {kViewOptions, true, false, false},
    };
    cTabPage& page = *host().activePage();
    page.getOptionsFrame();
    for (const Flags& f : table) {
        const cBaseView* view = page.viewOf(f.view);
        ASSERT_NE(view, nullptr) << f.view;
        EXPECT_EQ(view->doneButton, f.doneButton) << f.view;
        EXPECT_EQ(view->showStrip, f.showStrip) << f.view;
        EXPECT_EQ(view->thirdFlag, f.third) << f.view;
    }
    // Every view of the table is checked above.
    for (const ViewTableRow& row : viewTable()) {
        EXPECT_TRUE(std::ranges::any_of(table, [&](const Flags& f) {
            return f.view == row.viewId;
        })) << row.viewId;
    }
    page.createWizard();
    const cBaseView* wizard = page.viewOf(kViewWizard);
    ASSERT_NE(wizard, nullptr);
    EXPECT_TRUE(wizard->doneButton);
    EXPECT_FALSE(wizard->showStrip);
    EXPECT_FALSE(wizard->thirdFlag);
}

TEST_F(ViewFlagsTest, TheTabStripStaysWhileTheProgressViewShows) {
    cTabPage& page = *host().activePage();
    page.showView(kViewSearchForm, -1);
    kit.pump();
    const platform::WindowHandle header = host().headers[0]->handle();
    ASSERT_TRUE(platform::ui::isWindowVisible(header));
    const int pageTop = platform::ui::getWindowRectInParent(page.handle()).top;
    page.showView(kViewProgress, -1);
    kit.pump();
    EXPECT_TRUE(platform::ui::isWindowVisible(header));
    EXPECT_TRUE(platform::ui::isWindowVisible(host().addButton->handle()));
    EXPECT_EQ(platform::ui::getWindowRectInParent(page.handle()).top, pageTop);
    page.showView(kViewSearchForm, -1);
    kit.pump();
    EXPECT_TRUE(platform::ui::isWindowVisible(header));
}

}  // namespace
}  // namespace pelorvant
