#pragma once
// A single-instance service held in memory, for tests of its callers: says whether another
// instance holds the claim, which title it answers with, and records what was asked of it.
#include "platform/services/instance/SingleInstance.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::services {

class SingleInstanceDouble final : public SingleInstance {
public:
    // What happened, in order: "claim", "find", "raise", "handover", "serve".
    std::vector<std::string> calls;
    // Another process holds the claim this many more claim() calls (-1: for good).
    int otherHoldsClaim = 0;
    // The other instance answers find() with this title; nothing: it does not answer.
    std::optional<std::string> otherTitle;
    // The other instance confirms raise and hand-over.
    bool otherAnswers = true;
    // The other instance takes questions and never answers: find() waits its whole limit,
    // told to whileHanging (which may advance a test's clock by it).
    bool otherHangs = false;
    std::function<void(std::chrono::milliseconds)> whileHanging;
    // The limit of each find(), in order.
    std::vector<std::chrono::milliseconds> findLimits;
    InstanceRequests* served = nullptr;

    bool claim() override {
        calls.push_back("claim");
        if (held_) return true;
        if (otherHoldsClaim != 0) {
            if (otherHoldsClaim > 0) --otherHoldsClaim;
            return false;
        }
        held_ = true;
        return true;
    }
    using SingleInstance::find;
    std::unique_ptr<RunningInstance> find(std::chrono::milliseconds limit) override {
        calls.push_back("find");
        findLimits.push_back(limit);
        if (otherHangs) {
            if (whileHanging) whileHanging(limit);
            return nullptr;
        }
        if (!otherTitle) return nullptr;
        return std::make_unique<Found>(*this, *otherTitle);
    }
    bool serve(InstanceRequests& requests) override {
        calls.push_back("serve");
        if (!held_) return false;
        served = &requests;
        return true;
    }
    bool holdsClaim() const { return held_; }

private:
    class Found final : public RunningInstance {
    public:
        Found(SingleInstanceDouble& owner, std::string title) : owner_(owner), title_(std::move(title)) {}
        const std::string& title() const override { return title_; }
        bool raise() override {
            owner_.calls.push_back("raise");
            return owner_.otherAnswers;
        }
        bool handOver() override {
            owner_.calls.push_back("handover");
            return owner_.otherAnswers;
        }

    private:
        SingleInstanceDouble& owner_;
        std::string title_;
    };
    bool held_ = false;
};

}  // namespace platform::services
