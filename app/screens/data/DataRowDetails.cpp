#include "app/screens/data/DataRowDetails.h"

#include "app/core/FileUtils.h"
#include "app/core/LabelPlainText.h"
#include "app/core/TextConversion.h"
#include "platform/resources/StringTable.h"

namespace pelorvant {
namespace {

using platform::resources::loadResString;

constexpr std::uint32_t kTextVersion = 325;
constexpr std::uint32_t kTextSize = 326;
constexpr std::uint32_t kTextPlace = 408;

std::u16string heightMark(int height) {
    return u"<*" + fromUtf8(std::to_string(height)) + u"*>";
}

}  // namespace

std::u16string offeredRowDetails(int fontHeight, std::u16string_view rowText,
                                 std::u16string_view versionText, std::u16string_view sizeText) {
    const int reduced = static_cast<int>(fontHeight * 0.9);
    // The texts come from the downloaded update information: they show as written.
    return u"<*b*>" + heightMark(fontHeight) + plainLabelText(rowText) + u"\r" +
           heightMark(reduced) + loadResString(kTextVersion) + u"<*b*>" +
           plainLabelText(versionText) + u"  <*b*>" + loadResString(kTextSize) + u"<*b*>" +
           plainLabelText(sizeText) + u" KB";
}

std::u16string installedFileDetails(int fontHeight, const std::filesystem::path& file) {
    const int reduced = static_cast<int>(fontHeight * 0.8);
    const std::int64_t bytes = getFileSize(file);
    const std::int64_t kilobytes = bytes > 0 ? bytes / 1024 : 0;
    return u"<*b*>" + heightMark(fontHeight) + u" " + loadResString(kTextPlace) + u"\r<*b*>" +
           heightMark(reduced) + plainLabelText(fromUtf8(file.string())) + u"\r<*b*>" +
           heightMark(fontHeight) + u" " + loadResString(kTextSize) + u"<*b*>" +
           fromUtf8(std::to_string(kilobytes)) + u" KB";
}

}  // namespace pelorvant
