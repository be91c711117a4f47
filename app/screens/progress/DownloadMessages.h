#pragma once
// The download and update-check threads' reports to the progress view: the worker side sends
// its progress and questions and posts its end to the view's window, so every box and every
// change of the screen happens on the user-interface thread, and no worker waits for the end
// of its operation to be handled.
#include "app/core/DownloadReporter.h"

#include "platform/core/Types.h"

#include <cstdint>
#include <memory>
#include <string>

namespace pelorvant {

// The question before a paid connection (text 289); the result is 1 for Yes. Sent.
inline constexpr std::uint32_t WM_DOWNLOAD_ASK_PAID = 0xC0A;
// An installed file's path does not carry its timetable's name: the critical-error box. Sent.
inline constexpr std::uint32_t WM_DOWNLOAD_CRITICAL = 0xC0B;

// How a download ended: filled by the download thread before it posts WM_DOWNLOAD_DONE, read by
// the progress view, which shares it.
struct DownloadEnd {
    std::int64_t code = 0;
    std::u16string failedName;
};

// Reports of one job to one window. WM_DOWNLOAD_NEXTFILE carries a pointer to the next name and
// is sent, so the pointer lives while the message is handled. WM_DOWNLOAD_DONE is posted with
// the code and the job's DownloadEnd (without one, nothing is posted); WM_UPDATECHECK_DONE is
// posted with both codes.
class WindowDownloadReporter final : public DownloadJobReporter, public UpdateCheckReporter {
public:
    explicit WindowDownloadReporter(platform::WindowHandle window, std::shared_ptr<DownloadEnd> end = {})
        : window_(window), end_(std::move(end)) {}
    void progress(int percent) override;
    bool askPaidConnection() override;
    void nextFile(const std::u16string& name) override;
    void criticalError() override;
    void downloadDone(std::int64_t code, const std::u16string& failedName) override;
    void updateCheckDone(std::int64_t updateInfo, std::int64_t programVersion) override;

private:
    platform::WindowHandle window_;
    std::shared_ptr<DownloadEnd> end_;
};

}  // namespace pelorvant
