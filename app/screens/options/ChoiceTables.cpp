#include "app/screens/options/ChoiceTables.h"

namespace pelorvant {

namespace {

constexpr ChoiceRow kIntervals[] = {
    {u"1 hod.", 60},   {u"2 hod.", 120},  {u"3 hod.", 180},   {u"4 hod.", 240},
    {u"5 hod.", 300},  {u"6 hod.", 360},  {u"7 hod.", 420},   {u"8 hod.", 480},
    {u"10 hod.", 600}, {u"12 hod.", 720}, {u"18 hod.", 1080}, {u"1 den", 1440},
    {u"2 dny", 2880},  {u"3 dny", 4320},  {u"4 dny", 5760},   {u"5 dní", 7200},
};
constexpr ChoiceRow kMinimumTransfer[] = {
    {u"0", 0},   {u"1", 1},   {u"2", 2},   {u"3", 3},   {u"4", 4},   {u"5", 5},
    {u"6", 6},   {u"7", 7},   {u"8", 8},   {u"9", 9},   {u"10", 10}, {u"12", 12},
    {u"14", 14}, {u"16", 16}, {u"18", 18}, {u"20", 20},
};
constexpr ChoiceRow kSafeTransfer[] = {
    {u"0", 0},   {u"2", 2},   {u"3", 3},   {u"4", 4},   {u"6", 6},   {u"8", 8},
    {u"10", 10}, {u"12", 12}, {u"14", 14}, {u"16", 16}, {u"18", 18}, {u"20", 20},
    {u"22", 22}, {u"25", 25}, {u"27", 27}, {u"30", 30},
};
constexpr ChoiceRow kPenalty[] = {
    {u"2", 2},   {u"4", 4},   {u"6", 6},   {u"8", 8},   {u"10", 10}, {u"14", 14}, {u"20", 20},
    {u"25", 25}, {u"30", 30}, {u"35", 35}, {u"40", 40}, {u"45", 45}, {u"50", 50},
};
constexpr ChoiceRow kConnectionCounts[] = {
    {u"5", 5},   {u"6", 6},   {u"7", 7},   {u"8", 8},   {u"9", 9},   {u"10", 10},
    {u"12", 12}, {u"14", 14}, {u"16", 16}, {u"18", 18}, {u"20", 20}, {u"25", 25},
};
constexpr const char16_t* kOperators[] = {u"Vodafone", u"O2", u"T-Mobile", u"-"};
constexpr QuickButtonRow kQuickButtons[] = {
    {2061, u"Najdi", u"Najdi"},
    {2063, u"Směr <>", u"Směr <>"},
    {2062, u"Konec", u"Konec"},
    {2064, u"Poslat SMS jízdenku v Praze", u"Pid SMS"},
    {2065, u"Změnit jízdní řád", u"Změň řád"},
    {2066, u"Nastavení aplikace a hledání", u"Nastavení"},
    {2067, u"Detailní aktualizace dat ČR", u"Akt. det."},
    {2068, u"Aktualizovat všechny jízdní řády ČR", u"Akt. vše"},
    {32850, u"Aktualizovat načtené jízdní řády ČR", u"Akt. načt."},
    {307, u"Aktualizovat datum a čas", u"Akt. čas"},
};

}  // namespace

std::u16string decimalText(std::int32_t value) {
    std::u16string text;
    for (char c : std::to_string(value))
        text.push_back(static_cast<char16_t>(c));
    return text;
}

std::span<const ChoiceRow> intervalRows() {
    return kIntervals;
}
std::span<const ChoiceRow> minimumTransferRows() {
    return kMinimumTransfer;
}
std::span<const ChoiceRow> safeTransferRows() {
    return kSafeTransfer;
}
std::span<const ChoiceRow> transferPenaltyRows() {
    return kPenalty;
}
std::span<const ChoiceRow> connectionCountRows() {
    return kConnectionCounts;
}

std::optional<int> rowAtOrAbove(std::span<const ChoiceRow> rows, std::int32_t value) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].value >= value) {
            // A value below the first row fits none: the lists start at their smallest sound value.
            if (i == 0 && value < rows[0].value)
                return std::nullopt;
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::optional<int> rowEqualTo(std::span<const ChoiceRow> rows, std::int32_t value) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].value == value)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

std::int32_t rowValue(std::span<const ChoiceRow> rows, int row) {
    if (rows.empty())
        return 0;
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        row = 0;
    return rows[static_cast<std::size_t>(row)].value;
}

std::array<std::int32_t, 7> fontHeights(std::int32_t defaultHeight, bool highResolution) {
    const std::int32_t step = highResolution ? 2 : 1;
    std::array<std::int32_t, 7> heights{};
    for (int i = 0; i < 7; ++i)
        heights[static_cast<std::size_t>(i)] = defaultHeight + (i - 2) * step;
    return heights;
}

int fontRowForHeight(std::int32_t height, std::int32_t defaultHeight, bool highResolution) {
    const std::int32_t step = highResolution ? 2 : 1;
    const std::int32_t row = (height - defaultHeight) / step + 2;
    return row < 0 ? 0 : (row > 6 ? 6 : static_cast<int>(row));
}

std::span<const char16_t* const> operatorNames() {
    return kOperators;
}

int operatorRow(std::u16string_view name) {
    if (name == u"O2")
        return 1;
    if (name == u"T-Mobile")
        return 2;
    if (name == u"Vodafone")
        return 0;
    return 3;
}

std::span<const QuickButtonRow> quickButtonRows() {
    return kQuickButtons;
}

}  // namespace pelorvant
