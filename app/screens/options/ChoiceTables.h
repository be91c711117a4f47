#pragma once
// The fixed lists the settings pages choose from, with the values they stand for, and the
// rules that turn a stored value into the row shown and the row chosen back into a value.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pelorvant {

struct ChoiceRow {
    const char16_t* text;
    std::int32_t value;
};

// The search-window lengths (minutes), shared by the standard and the maximum window.
std::span<const ChoiceRow> intervalRows();
std::span<const ChoiceRow> minimumTransferRows();
std::span<const ChoiceRow> safeTransferRows();
std::span<const ChoiceRow> transferPenaltyRows();
// "5" to "25": the number of connections a search looks for.
std::span<const ChoiceRow> connectionCountRows();
// The row shown for a stored number of connections when no row carries it.
inline constexpr int kDefaultConnectionCountRow = 4;

// The first row whose value is at least the stored value; empty when none (the value lies below
// the first row or above the last). The page then shows row 0.
std::optional<int> rowAtOrAbove(std::span<const ChoiceRow> rows, std::int32_t value);
// The row whose value equals the stored value; empty when none.
std::optional<int> rowEqualTo(std::span<const ChoiceRow> rows, std::int32_t value);

// What a choice gives back: the value of the row it shows, so that what the user sees is what
// is saved and used, a hand-edited value no row carries included (it shows row 0). A row
// outside the list reads as row 0, the row such a choice would show.
std::int32_t rowValue(std::span<const ChoiceRow> rows, int row);

// A number as the lists show it.
std::u16string decimalText(std::int32_t value);

// Yes/no choices: "Ano" is row 0.
inline int yesNoRow(bool value) {
    return value ? 0 : 1;
}
inline bool yesFromRow(int row) {
    return row == 0;
}

// The seven font heights offered: default + (i − 2) × step, step 2 on high-resolution screens.
std::array<std::int32_t, 7> fontHeights(std::int32_t defaultHeight, bool highResolution);
// The row of a stored height (truncating division), kept within the seven rows.
int fontRowForHeight(std::int32_t height, std::int32_t defaultHeight, bool highResolution);

// The mobile operators; any other stored text shows the last row, "-".
std::span<const char16_t* const> operatorNames();
int operatorRow(std::u16string_view name);

// The quick buttons: the command each issues, the text listed in the choice and its own label.
struct QuickButtonRow {
    std::uint32_t command;
    const char16_t* listed;
    const char16_t* label;
};
std::span<const QuickButtonRow> quickButtonRows();

}  // namespace pelorvant
