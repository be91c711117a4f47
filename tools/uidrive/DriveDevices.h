#pragma once
// The device services of a driven program: text messages and calendar entries are recorded,
// never sent. A script can hold the modem, so that it sees the program while a message is on
// its way, and let it go again.
#include "platform/services/calendar/CalendarService.h"
#include "platform/services/sms/SmsService.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace uidrive {

// Called on the program's worker threads; read by the script between its steps.
class DriveSms final : public platform::services::SmsService {
public:
    struct Message {
        std::string number;
        std::string text;
    };

    platform::services::SmsResult send(const std::string& number,
                                       const std::string& utf8Text) override {
        std::unique_lock lock(mutex_);
        messages_.push_back({number, utf8Text});
        released_.wait(lock, [this] { return !held_; });
        return result_;
    }
    // The modem answers messages only after release().
    void hold() {
        std::lock_guard lock(mutex_);
        held_ = true;
    }
    void release() {
        {
            std::lock_guard lock(mutex_);
            held_ = false;
        }
        released_.notify_all();
    }
    bool held() const {
        std::lock_guard lock(mutex_);
        return held_;
    }
    void refuse() {
        std::lock_guard lock(mutex_);
        result_ = platform::services::SmsResult::SendFailed;
    }
    std::vector<Message> messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable released_;
    std::vector<Message> messages_;
    platform::services::SmsResult result_ = platform::services::SmsResult::Sent;
    bool held_ = false;
};

class DriveCalendar final : public platform::services::CalendarService {
public:
    platform::services::CalendarResult add(const std::string& icalendar) override {
        std::lock_guard lock(mutex_);
        events_.push_back(icalendar);
        return result_;
    }
    void refuse() {
        std::lock_guard lock(mutex_);
        result_ = platform::services::CalendarResult::NoService;
    }
    std::vector<std::string> events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
    platform::services::CalendarResult result_ = platform::services::CalendarResult::Added;
};

}  // namespace uidrive
