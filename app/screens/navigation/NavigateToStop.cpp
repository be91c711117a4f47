#include "app/screens/navigation/NavigateToStop.h"

#include "app/screens/navigation/GPSNavigFormView.h"
#include "app/shell/FatalError.h"

#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"

namespace pelorvant {

namespace {

constexpr int kViewResults = 4026;
constexpr std::uint16_t kNoStop = 0xFFFF;
constexpr std::uint32_t kTextNoStopPositions = 434;
constexpr std::uint32_t kTextProgramTitle = 128;

void tell(std::u16string_view text) {
    platform::shell::messageBox(mainFrameWindow(), text, platform::resources::loadResString(kTextProgramTitle),
                                platform::shell::MB_OK);
}

}  // namespace

void navigateToStop(ProgramContext& context, cGPSNavigFormView& view, std::int32_t set, std::uint16_t stop,
                    std::int32_t timetable) {
    if (stop == kNoStop || timetable < 0) return;
    const TimetableHeaderInfo* header = context.data->getSetHeader(set, timetable);
    if (header == nullptr) {
        tell(u"Pri zjistovani hlavicky doslo k chybe");
        return;
    }
    if (!header->hasCoordinates) {
        std::u16string text = platform::resources::loadResString(kTextNoStopPositions);
        const std::u16string name = header->firstText.empty() ? header->title : header->firstText;
        if (const auto at = text.find(u"%s"); at != std::u16string::npos) text.replace(at, 2, name);
        tell(text);
        return;
    }
    context.data->showGpsWarning(*header);
    view.showStop(kViewResults, 0, stop, timetable);
}

}  // namespace pelorvant
