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

constexpr std::u16string_view kTextDamaged =
    u"P\u0159ijat\u00FD soubor '%s' je po\u0161kozen\u00FD, a proto nebyl nainstalov\u00E1n. "
    u"P\u016Fvodn\u00ED "
    u"data z\u016Fstala zachov\u00E1na. Zkuste sta\u017Een\u00ED pozd\u011Bji znovu.";
constexpr std::u16string_view kTextNotStored =
    u"Sta\u017Een\u00FD soubor '%s' se nepoda\u0159ilo ulo\u017Eit do slo\u017Eky s daty "
    u"(slo\u017Eka je jen "
    u"pro \u010Dten\u00ED nebo do n\u00ED nelze zapsat). P\u016Fvodn\u00ED data z\u016Fstala "
    u"zachov\u00E1na.";
// The refused name itself is not shown: it is whatever the server sent.
constexpr std::u16string_view kTextRefusedName =
    u"Server nab\u00EDdl soubor s neplatn\u00FDm n\u00E1zvem; soubor nebyl sta\u017Een a data "
    u"z\u016Fstala "
    u"beze zm\u011Bny.";
constexpr std::u16string_view kTextBadUpdateInfo =
    u"Server neposlal platn\u00FD soubor s aktualizacemi (p\u0159ijat\u00FD soubor je "
    u"po\u0161kozen\u00FD "
    u"nebo p\u0159\u00EDli\u0161 velk\u00FD). P\u016Fvodn\u00ED informace o aktualizac\u00EDch "
    u"z\u016Fstaly "
    u"zachov\u00E1ny. Zkuste to pros\u00EDm pozd\u011Bji znovu.";
constexpr std::u16string_view kTextUpdateInfoNotStored =
    u"Soubor s aktualizacemi se nepoda\u0159ilo ulo\u017Eit do slo\u017Eky s daty (slo\u017Eka je "
    u"jen pro "
    u"\u010Dten\u00ED nebo do n\u00ED nelze zapsat).";

// The check's failure text for one fetch's code; "" for none to say.
std::u16string checkFetchMessage(std::int64_t code) {
    switch (code) {
        case kDownloadCancelled:
        case kDownloadNotFound:
            return u"";
        case kDownloadNoSpace:
            return loadResString(kTextNoSpace);
        case kDownloadWriteFailed:
            return std::u16string(kTextUpdateInfoNotStored);
        case kDownloadBadUpdateInfo:
            return std::u16string(kTextBadUpdateInfo);
        default:
            return loadResString(kTextCheckFailed);
    }
}

}  // namespace

std::u16string downloadFailureMessage(std::int64_t code, std::u16string_view failedName) {
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
            return fillName(kTextDamaged, failedName);
        case kDownloadWriteFailed:
            return fillName(kTextNotStored, failedName);
        case kDownloadRefusedName:
            return std::u16string(kTextRefusedName);
        default:
            return loadResString(kTextDownloadFailed);
    }
}

std::u16string updateCheckFailureMessage(std::int64_t updateInfo, std::int64_t programVersion) {
    return checkFetchMessage(updateInfo < 0 ? updateInfo : programVersion);
}

}  // namespace pelorvant
