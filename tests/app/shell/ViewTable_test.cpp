#include "app/shell/ViewTable.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

TEST(ViewTable, MenusDifferOnTheKeypadOnlyForTheSearchFormAndTheDataView) {
    struct Case {
        int view;
        int touch;
        int keypad;
    };
    const Case cases[] = {{4025, 128, 128}, {4026, 130, 130},   {4027, 131, 131},   {4028, 1053, 132},
                          {4029, 150, 150}, {4033, 131, 131},   {4036, 1057, 1057}, {4040, 351, 352},
                          {4041, 304, 304}, {4042, 1056, 1056}, {4045, 131, 131}};
    for (const Case& c : cases) {
        const auto row = findViewRow(c.view);
        ASSERT_TRUE(row) << c.view;
        EXPECT_EQ(viewMenu(*row, true), c.touch) << c.view;
        EXPECT_EQ(viewMenu(*row, false), c.keypad) << c.view;
    }
    EXPECT_EQ(viewTable().size(), std::size(cases));
}

TEST(ViewTable, TheOptionsWizardAndPopupMenuAreNoViewsOfTheTable) {
    for (int id : {kViewOptions, kViewWizard, kChoicePopupMenuView, 4000}) EXPECT_FALSE(findViewRow(id)) << id;
}

}  // namespace
}  // namespace pelorvant
