#include "app/screens/progress/DownloadMessages.h"

#include "app/core/PrivateMessages.h"
#include "platform/core/MessageIds.h"
#include "platform/core/MessageLoop.h"

namespace pelorvant {

void WindowDownloadReporter::progress(int percent) {
    platform::sendMessage(window_, platform::WM_ENGINE_PROGRESS, static_cast<std::uintptr_t>(percent), 0);
}

bool WindowDownloadReporter::askPaidConnection() {
    return platform::sendMessage(window_, WM_DOWNLOAD_ASK_PAID, 0, 0) == 1;
}

void WindowDownloadReporter::nextFile(const std::u16string& name) {
    platform::sendMessage(window_, WM_DOWNLOAD_NEXTFILE, reinterpret_cast<std::uintptr_t>(&name),
                          static_cast<std::intptr_t>(name.size()));
}

void WindowDownloadReporter::criticalError() {
    platform::sendMessage(window_, WM_DOWNLOAD_CRITICAL, 0, 0);
}

void WindowDownloadReporter::downloadDone(std::int64_t code, const std::u16string& failedName) {
    if (!end_) return;
    end_->code = code;
    end_->failedName = failedName;
    platform::postMessage(window_, WM_DOWNLOAD_DONE, static_cast<std::uintptr_t>(code),
                          reinterpret_cast<std::intptr_t>(end_.get()));
}

void WindowDownloadReporter::updateCheckDone(std::int64_t updateInfo, std::int64_t programVersion) {
    platform::postMessage(window_, WM_UPDATECHECK_DONE, static_cast<std::uintptr_t>(updateInfo),
                          static_cast<std::intptr_t>(programVersion));
}

}  // namespace pelorvant
