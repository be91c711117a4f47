// Which failure blames the connection: only the network's; the server's failures and the others
// say what went wrong.
#include "app/screens/progress/TransferFailureTexts.h"

#include "app/core/DownloadCodes.h"
#include "platform/resources/StringTable.h"

#include <gtest/gtest.h>

namespace pelorvant {
namespace {

using platform::resources::loadResString;

constexpr std::u16string_view kBlamesConnection = u"p\u0159ipojen\u00ED k internetu";

TEST(TransferFailureTexts, DownloadFailures) {
    const struct {
        std::int64_t code;
        bool blamesConnection;
        std::u16string_view holds;  // "" for a message that must be empty
    } cases[] = {
        {kDownloadCannotOpen, true, u"P\u0159i stahov\u00E1n\u00ED"},
        {kDownloadNoConnection, true, u"P\u0159i stahov\u00E1n\u00ED"},
        {kDownloadServerError, false, u"Server na po\u017Eadavek odpov\u011Bd\u011Bl chybou"},
        {kDownloadRedirectLoop, false, u"Server p\u0159esm\u011Brov\u00E1v\u00E1 po\u017Eadavek st\u00E1le dokola"},
        {kDownloadBadRedirect, false, u"ze kter\u00E9 aplikace soubory nestahuje"},
        {kDownloadCutShort, false, u"ne\u017E soubor p\u0159i\u0161el cel\u00FD"},
        {kDownloadBadDigest, false, u"pro soubor 'Kraj' ne\u010Diteln\u00FD kontroln\u00ED sou\u010Det"},
        {kDownloadDamaged, false, u"P\u0159ijat\u00FD soubor 'Kraj' je po\u0161kozen\u00FD"},
        {kDownloadWriteFailed, false, u"'Kraj' se nepoda\u0159ilo ulo\u017Eit"},
        {kDownloadRefusedName, false, u"neplatn\u00FDm n\u00E1zvem"},
        {kDownloadNoSpace, false, u"Nem\u00E1te m\u00EDsto"},
        {kDownloadBadFile, false, u"nebyl spr\u00E1vn\u011B sta\u017Een"},
        {kDownloadNotFound, false, u"Soubor Kraj nebyl na serveru nalezen"},
        {kDownloadCancelled, false, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const std::u16string text = downloadFailureMessage(c.code, u"Kraj");
        if (c.holds.empty()) {
            EXPECT_TRUE(text.empty());
            continue;
        }
        EXPECT_NE(text.find(c.holds), std::u16string::npos);
        EXPECT_EQ(text.find(kBlamesConnection) != std::u16string::npos, c.blamesConnection);
    }
}

TEST(TransferFailureTexts, UpdateCheckFailures) {
    EXPECT_EQ(updateCheckFailureMessage(kDownloadCannotOpen, -1), loadResString(287));
    EXPECT_EQ(updateCheckFailureMessage(kDownloadCancelled, -1), u"");
    // The missing file was named by the progress view already.
    EXPECT_EQ(updateCheckFailureMessage(kDownloadNotFound, -1), u"");
    EXPECT_EQ(updateCheckFailureMessage(kDownloadNoSpace, -1), loadResString(332));
    for (const std::int64_t code : {kDownloadBadUpdateInfo, kDownloadWriteFailed, kDownloadServerError,
                                    kDownloadRedirectLoop, kDownloadBadRedirect, kDownloadCutShort}) {
        const std::u16string text = updateCheckFailureMessage(code, -1);
        EXPECT_FALSE(text.empty()) << code;
        EXPECT_EQ(text.find(kBlamesConnection), std::u16string::npos) << code;
    }
    // The update information arrived; the program-version file did not.
    EXPECT_EQ(updateCheckFailureMessage(17, kDownloadBadUpdateInfo),
              updateCheckFailureMessage(kDownloadBadUpdateInfo, -1));
    EXPECT_EQ(updateCheckFailureMessage(17, kDownloadCannotOpen), loadResString(287));
}

}  // namespace
}  // namespace pelorvant
