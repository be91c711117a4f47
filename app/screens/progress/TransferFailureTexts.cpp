#include "app/screens/progress/TransferFailureTexts.h"

#include "app/core/DownloadCodes.h"
#include "app/screens/progress/ProgressTexts.h"

#include "platform/resources/StringTable.h"

namespace pelorvant {

namespace {

using platform::resources::loadResString;

constexpr std::uint32_t kTextCheckFailed = 287;
constexpr std::uint32_t kTextDownloadFailed = 297;
constexpr std::uint32_t kTextNoSpace = 332;
constexpr std::uint32_t kTextNothingChosen = 333;
constexpr std::uint32_t kTextBadFile = 334;
constexpr std::uint32_t kTextNotFound = 363;

constexpr std::uint32_t kTextDamaged = 12317;
constexpr std::uint32_t kTextNotStored = 12318;
// The refused name itself is not shown: it is whatever the server sent.
constexpr std::uint32_t kTextRefusedName = 12319;
constexpr std::uint32_t kTextBadUpdateInfo = 12320;
constexpr std::uint32_t kTextUpdateInfoNotStored = 12321;
// The server, not the network, failed or sent something unusable; the same words serve a
// timetable and the update information.
constexpr std::uint32_t kTextServerError = 12400;
constexpr std::uint32_t kTextRedirectLoop = 12401;
constexpr std::uint32_t kTextBadRedirect = 12402;
constexpr std::uint32_t kTextCutShort = 12403;
constexpr std::uint32_t kTextBadDigest = 12404;

// The text of a server that answered but failed; "" for any other code.
std::u16string serverFailureMessage(std::int64_t code) {
    switch (code) {
        case kDownloadServerError:
            return loadResString(kTextServerError);
        case kDownloadRedirectLoop:
            return loadResString(kTextRedirectLoop);
        case kDownloadBadRedirect:
            return loadResString(kTextBadRedirect);
        case kDownloadCutShort:
            return loadResString(kTextCutShort);
        default:
            return u"";
    }
}

// The check's failure text for one fetch's code; "" for none to say.
std::u16string checkFetchMessage(std::int64_t code) {
    if (std::u16string server = serverFailureMessage(code); !server.empty())
        return server;
    switch (code) {
        case kDownloadCancelled:
        case kDownloadNotFound:
            return u"";
        case kDownloadNoSpace:
            return loadResString(kTextNoSpace);
        case kDownloadWriteFailed:
            return loadResString(kTextUpdateInfoNotStored);
        case kDownloadBadUpdateInfo:
            return loadResString(kTextBadUpdateInfo);
        case kDownloadBadFile:
            // The body's length differs from the announced one.
            return loadResString(kTextCutShort);
        default:
            return loadResString(kTextCheckFailed);
    }
}

}  // namespace

std::u16string downloadFailureMessage(std::int64_t code, std::u16string_view failedName) {
    if (std::u16string server = serverFailureMessage(code); !server.empty())
        return server;
    switch (code) {
        case kDownloadCancelled:
            return u"";
        case kDownloadNoSpace:
            return loadResString(kTextNoSpace);
        case kDownloadNothingChosen:
            return loadResString(kTextNothingChosen);
        case kDownloadBadFile:
            return loadResString(kTextBadFile);
        case kDownloadNotFound:
            return fillName(loadResString(kTextNotFound), failedName);
        case kDownloadDamaged:
            return fillName(loadResString(kTextDamaged), failedName);
        case kDownloadWriteFailed:
            return fillName(loadResString(kTextNotStored), failedName);
        case kDownloadRefusedName:
            return loadResString(kTextRefusedName);
        case kDownloadBadDigest:
            return fillName(loadResString(kTextBadDigest), failedName);
        default:
            return loadResString(kTextDownloadFailed);
    }
}

std::u16string updateCheckFailureMessage(std::int64_t updateInfo, std::int64_t programVersion) {
    return checkFetchMessage(updateInfo < 0 ? updateInfo : programVersion);
}

}  // namespace pelorvant
