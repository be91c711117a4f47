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
constexpr std::uint32_t kTextKilobytes = 12331;

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
           plainLabelText(sizeText) + u" " + loadResString(kTextKilobytes);
}

std::u16string installedFileDetails(int fontHeight, const std::filesystem::path& file) {
    const int reduced = static_cast<int>(fontHeight * 0.8);
    const std::int64_t bytes = getFileSize(file);
    const std::int64_t kilobytes = bytes > 0 ? bytes / 1024 : 0;
    // The label draws a line's text a pixel further left for every tag at the line's start,
    // which cut the path's leading "/" at the caption's edge: the tags of the path and of the
    // size go at the end of the line before, so that those lines begin with their text.
    return u"<*b*>" + heightMark(fontHeight) + u" " + loadResString(kTextPlace) + u"<*b*>" +
           heightMark(reduced) + u"\r" + plainLabelText(fromUtf8(file.string())) + u"<*b*>" +
           heightMark(fontHeight) + u"\r" + loadResString(kTextSize) + u"<*b*>" +
           fromUtf8(std::to_string(kilobytes)) + u" " + loadResString(kTextKilobytes);
}

}  // namespace pelorvant
