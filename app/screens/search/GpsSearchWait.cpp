#include "app/screens/search/GpsSearchWait.h"

namespace pelorvant {

void GpsSearchWait::arm(std::unique_ptr<cSearchJob> job) {
    std::lock_guard<std::mutex> guard(lock_);
    job_ = std::move(job);
    taken_ = false;
}

std::unique_ptr<cSearchJob> GpsSearchWait::take(double latitude, double longitude) {
    std::unique_ptr<cSearchJob> job;
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (taken_ || !job_) return nullptr;
        taken_ = true;
        job = std::move(job_);
    }
    job->fromLatitude = latitude;
    job->fromLongitude = longitude;
    return job;
}

void GpsSearchWait::cancel() {
    std::lock_guard<std::mutex> guard(lock_);
    job_.reset();
}

bool GpsSearchWait::waiting() const {
    std::lock_guard<std::mutex> guard(lock_);
    return job_ != nullptr;
}

}  // namespace pelorvant
