// A GPS search starts once: the first fix takes the job with its position, a second queued
// fix and fixes racing on other threads get nothing, and a new search arms the wait again.
#include "app/screens/search/GpsSearchWait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace pelorvant {
namespace {

std::unique_ptr<cSearchJob> jobTo(std::int32_t element) {
    auto job = std::make_unique<cSearchJob>();
    job->toTriples.push_back(TrasaTriple{0, 1, element});
    return job;
}

TEST(GpsSearchWaitTest, TheFirstFixTakesTheJobAndASecondGetsNothing) {
    GpsSearchWait wait;
    EXPECT_EQ(wait.take(50.0, 14.0), nullptr);  // nothing waits yet
    wait.arm(jobTo(7));
    EXPECT_TRUE(wait.waiting());
    const auto first = wait.take(50.1, 14.4);
    ASSERT_NE(first, nullptr);
    EXPECT_DOUBLE_EQ(first->fromLatitude, 50.1);
    EXPECT_DOUBLE_EQ(first->fromLongitude, 14.4);
    EXPECT_EQ(first->toTriples.at(0).element, 7);
    EXPECT_EQ(wait.take(50.2, 14.5), nullptr);
    EXPECT_FALSE(wait.waiting());
    wait.arm(jobTo(8));
    const auto next = wait.take(49.0, 16.0);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->toTriples.at(0).element, 8);
}

TEST(GpsSearchWaitTest, FixesArrivingTogetherStartExactlyOneSearch) {
    for (int round = 0; round < 50; ++round) {
        GpsSearchWait wait;
        wait.arm(jobTo(round));
        std::atomic<int> started{0};
        std::vector<std::thread> fixes;
        for (int t = 0; t < 8; ++t) {
            fixes.emplace_back([&] {
                if (wait.take(50.0, 14.0)) ++started;
            });
        }
        for (auto& t : fixes) t.join();
        EXPECT_EQ(started.load(), 1) << round;
    }
}

}  // namespace
}  // namespace pelorvant
