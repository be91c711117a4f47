#include "platform/ui/WaitCursor.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <vector>

namespace platform::ui {
namespace {

class WaitCursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        setCursorDriver([this](bool wait) { shown.push_back(wait); });
    }
    void TearDown() override { setCursorDriver({}); }
    std::vector<bool> shown;
};

TEST_F(WaitCursorTest, NestedGuardsShowItOnceUntilTheOutermostEnds) {
    {
        WaitCursor outer;
        EXPECT_TRUE(waitCursorShown());
        { WaitCursor inner; }
        EXPECT_TRUE(waitCursorShown()) << "the outer work goes on";
        EXPECT_EQ(shown, (std::vector<bool>{true}));
    }
    EXPECT_FALSE(waitCursorShown());
    EXPECT_EQ(shown, (std::vector<bool>{true, false}));
}

TEST_F(WaitCursorTest, GoesAwayWhenTheWorkThrows) {
    try {
        WaitCursor busy;
        throw std::runtime_error("the load failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(waitCursorShown());
    EXPECT_EQ(shown, (std::vector<bool>{true, false}));
}

TEST_F(WaitCursorTest, ABackendThatComesDuringWorkShowsItAtOnceAndNoneDrawsNothing) {
    std::optional<bool> late;
    {
        setCursorDriver({});
        WaitCursor busy;  // nothing to draw with: no harm
        setCursorDriver([&](bool wait) { late = wait; });
        EXPECT_EQ(late, std::optional<bool>(true));
    }
    EXPECT_EQ(late, std::optional<bool>(false));
}

}  // namespace
}  // namespace platform::ui
