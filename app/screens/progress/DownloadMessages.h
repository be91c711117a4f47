#pragma once
// The download and update-check threads' reports to the progress view: the worker side sends
// (or, for the update check's end, posts) messages to the view's window, so every box and
// every change of the screen happens on the user-interface thread.
#include "app/core/DownloadReporter.h"

#include "platform/core/Types.h"

#include <cstdint>

namespace pelorvant {

// The question before a paid connection (text 289); the result is 1 for Yes. Sent.
inline constexpr std::uint32_t WM_DOWNLOAD_ASK_PAID = 0xC0A;
// An installed file's path does not carry its timetable's name: the critical-error box. Sent.
inline constexpr std::uint32_t WM_DOWNLOAD_CRITICAL = 0xC0B;

// Reports of one job to one window. WM_DOWNLOAD_NEXTFILE carries a pointer to the next name,
// WM_DOWNLOAD_DONE the code and a pointer to the failed name; both are sent, so the pointers
// live while the message is handled. WM_UPDATECHECK_DONE is posted with both codes.
class WindowDownloadReporter final : public DownloadJobReporter, public UpdateCheckReporter {
public:
    explicit WindowDownloadReporter(platform::WindowHandle window) : window_(window) {}
    void progress(int percent) override;
    bool askPaidConnection() override;
    void nextFile(const std::u16string& name) override;
    void criticalError() override;
    void downloadDone(std::int64_t code, const std::u16string& failedName) override;
    void updateCheckDone(std::int64_t updateInfo, std::int64_t programVersion) override;

private:
    platform::WindowHandle window_;
};

}  // namespace pelorvant
