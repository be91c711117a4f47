#pragma once
// The texts of the progress view: the title markup, the two detail columns of a load and of a
// search, and the message of each search status.
#include "app/core/EngineBinding.h"
#include "app/core/TimetableHeaderInfo.h"
#include "app/screens/progress/Jobs.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr std::uint32_t kTextLoadingTitle = 144;  // "Načítání souboru:"
inline constexpr std::uint32_t kTextSearchTitle = 145;   // "Hledání:"

// "<*b*><*H*>" + text, H the font height × 1.3.
std::u16string progressTitleMarkup(int fontHeight, std::u16string_view text);

struct DetailRows {
    std::vector<std::u16string> left;
    std::vector<std::u16string> right;
};
using LoadingDetails = DetailRows;
using SearchDetails = DetailRows;

// "Jízdní řád:", "Platnost:", "Verze:" beside the timetable's name, validity and version.
LoadingDetails loadingDetails(const EngineApi& api, const TimetableHeaderInfo& header, int fontHeight);
// "Odkud:", "Kam:", "Čas:" beside the From name ("akt. GPS pozice" when empty), To and time.
SearchDetails searchDetails(const cSearchJob& job, int fontHeight);

// The text with "%s" replaced by the name.
std::u16string fillName(std::u16string_view text, std::u16string_view name);
// The string-table text of a load status below -2 (a refused file or one of another source),
// whose "%s" names the failing timetable; 0 for a status without one.
std::uint32_t loadStatusText(std::int32_t status);
// The string-table text of a search status below -2; 0 for a status without one.
std::uint32_t searchStatusText(std::int32_t status);

}  // namespace pelorvant
