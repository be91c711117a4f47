#pragma once
// The stop-by-stop listing of one trip: a header with its first and last stop, departure and
// line, and a list of its stops with arrival, departure and the distance from the first stop;
// the row of the boarding stop is selected. "Ok" goes back to the view that opened it.
#include "app/core/ProgramContext.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageLabel.h"

#include "platform/draw/Font.h"

#include <memory>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr int kListingViewId = 4033;
inline constexpr std::uintptr_t kListingHeaderId = 12333;
inline constexpr std::uintptr_t kListingListId = 5466;
inline constexpr std::uint32_t kCommandListingOk = 32775;

// One shown row of a listing.
struct ListingRow {
    std::u16string stop;
    std::u16string arrival;    // "" where the trip does not wait (and on the first row)
    std::u16string departure;  // "" on the last row
    std::u16string km;
};

// The shown rows of a trip's listing rows (engine records) and the trip's stop names.
std::vector<ListingRow> listingRows(const cRadekVypisuSpoje* rows, std::int32_t count,
                                    const std::vector<std::u16string>& stopNames);
// "1" for 1500 m, "2" for 1501 m; "" when unknown.
std::u16string kmText(std::int32_t metres);

class cVypisSpojeView : public cBaseView {
public:
    // The context outlives the view.
    explicit cVypisSpojeView(ProgramContext& context);

    bool createListingView(platform::WindowHandle tabPage, const Rect& rect);

    // Shows the trip of a leg (the caller keeps the leg valid while it is shown); false when the
    // engine cannot list it.
    bool FillListing(const cUsekSpojeni& leg, int returnView);
    // Shows listing rows: selects the boarding row, marks the rows up to the alighting row as
    // ridden and writes the header from the first and last stop, the departure and the line.
    void showRows(std::vector<ListingRow> rows, int board, int alight, const std::u16string& tripDeparture,
                  const std::u16string& lineName);
    void menuOkClick();

    void Layout(unsigned flags, int width, int height) override;

    ImageLabel header{false};
    platform::WindowHandle list = platform::kNullWindow;
    std::vector<ListingRow> shown;
    int boardRow = -1;
    int alightRow = -1;
    int returnView = 4026;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnSetFocusFrom(std::uintptr_t from, std::intptr_t);
    // Touch screen: one row of the list, drawn by the view.
    platform::MsgResult OnDrawItem(std::uintptr_t, std::intptr_t item);
    void setColumns();

    ProgramContext& context_;
    std::unique_ptr<platform::draw::Font> font_;
    platform::WindowHandle focusBefore_ = platform::kNullWindow;
};

}  // namespace pelorvant
