#include "app/screens/options/ChoiceTables.h"

#include "platform/resources/StringTable.h"

namespace pelorvant {

namespace {

// Each row: the string-table id of the text it shows, the value it stands for.
constexpr ChoiceRow kIntervals[] = {
    {211, 60}, {212, 120}, {213, 180}, {214, 240},
    {215, 300}, {216, 360}, {217, 420}, {218, 480},
    {219, 600}, {220, 720}, {221, 1080}, {222, 1440},
    {223, 2880}, {224, 4320}, {225, 5760}, {226, 7200},
};
constexpr ChoiceRow kMinimumTransfer[] = {
    {227, 0}, {228, 1}, {229, 2}, {230, 3}, {231, 4}, {232, 5},
    {233, 6}, {234, 7}, {235, 8}, {236, 9}, {237, 10}, {238, 12},
    {239, 14}, {240, 16}, {241, 18}, {242, 20},
};
constexpr ChoiceRow kSafeTransfer[] = {
    {227, 0}, {229, 2}, {230, 3}, {231, 4}, {233, 6}, {235, 8},
    {237, 10}, {238, 12}, {239, 14}, {240, 16}, {241, 18}, {242, 20},
    {243, 22}, {244, 25}, {245, 27}, {246, 30},
};
constexpr ChoiceRow kPenalty[] = {
    {229, 2}, {231, 4}, {233, 6}, {235, 8}, {237, 10}, {239, 14},
    {242, 20}, {244, 25}, {246, 30}, {247, 35}, {248, 40}, {249, 45},
    {250, 50},
};
constexpr ChoiceRow kConnectionCounts[] = {
    {232, 5}, {233, 6}, {234, 7}, {235, 8}, {236, 9}, {237, 10},
    {238, 12}, {239, 14}, {240, 16}, {241, 18}, {242, 20}, {244, 25},
};
// The operators as the settings store them, and the string-table texts the choice shows them by.
constexpr const char16_t* kOperators[] = {u"Vodafone", u"O2", u"T-Mobile", u"-"};
constexpr std::uint32_t kTextOperators[] = {12333, 12334, 12335, 12336};
// Each row: the command, the string-table ids of the text listed in the choice and of the label.
constexpr QuickButtonRow kQuickButtons[] = {
    {2061, 305, 305}, {2063, 176, 176}, {2062, 177, 177},  {2064, 321, 322},   {2065, 300, 320},
    {2066, 301, 319}, {2067, 307, 318}, {2068, 308, 317}, {32850, 323, 324}, {307, 370, 371},
};

}  // namespace

std::u16string rowText(const ChoiceRow& row) {
    return platform::resources::loadResString(row.text);
}

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

std::vector<std::u16string> operatorTexts() {
    std::vector<std::u16string> texts;
    for (std::uint32_t id : kTextOperators) texts.push_back(platform::resources::loadResString(id));
    return texts;
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
