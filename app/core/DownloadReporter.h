#pragma once
// How the download and update-check work reports to the user interface. The progress view
// implements these with messages to its window, so nothing here touches a window from the
// worker thread; tests record the calls.
#include <cstdint>
#include <string>

namespace pelorvant {

class TransferReporter {
public:
    virtual ~TransferReporter() = default;
    // Percent of the announced length received; called only when the figure changes.
    virtual void progress(int percent) = 0;
    // The question before a paid (metered) connection is used, answered on the UI thread.
    // True for Yes.
    virtual bool askPaidConnection() = 0;
};

class DownloadJobReporter : public virtual TransferReporter {
public:
    // The next file's download starts.
    virtual void nextFile(const std::u16string& name) = 0;
    // An installed file's path does not carry its timetable's name: the "critical error" box.
    virtual void criticalError() = 0;
    // The end of the job: the last code, and the name of the file that failed ("" when none).
    virtual void downloadDone(std::int64_t code, const std::u16string& failedName) = 0;
};

class UpdateCheckReporter : public virtual TransferReporter {
public:
    // The codes of the update-information and program-version fetches (the latter -1 when
    // it was not tried).
    virtual void updateCheckDone(std::int64_t updateInfo, std::int64_t programVersion) = 0;
};

}  // namespace pelorvant
