#pragma once
// The connection-search page of the search form: From (or the current GPS position), To and
// Via, date and time, the most transfers, departure or arrival and, on a touch screen, three
// quick buttons. Find checks the input, records the objects in the history and hands a search
// job to the progress view.
#include "app/core/ProgramContext.h"
#include "app/screens/progress/Jobs.h"
#include "app/screens/search/GpsSearchWait.h"
#include "app/shell/BaseView.h"
#include "app/shell/ChoiceBox.h"
#include "app/shell/EngineObjectNames.h"
#include "app/shell/ImageButton.h"
#include "app/shell/ImageStatic.h"
#include "app/shell/SpinField.h"
#include "app/shell/TextBox.h"

#include <array>
#include <ctime>
#include <functional>
#include <memory>

namespace pelorvant {

class cImageMessageBoxView;

inline constexpr std::uintptr_t kFromBoxId = 2037;
inline constexpr std::uintptr_t kToBoxId = 2038;
inline constexpr std::uintptr_t kViaBoxId = 2058;
inline constexpr std::uintptr_t kSearchPageChildId = 2057;
inline constexpr std::uintptr_t kDepartureRadioId = 2070;
inline constexpr std::uintptr_t kArrivalRadioId = 2071;

// The form's commands the page acts on.
inline constexpr std::uint32_t kCommandFind = 32778;
inline constexpr std::uint32_t kCommandNow = 307;
inline constexpr std::uint32_t kCommandSwap = 32785;
inline constexpr std::uint32_t kCommandDeparture = 33901;
inline constexpr std::uint32_t kCommandArrival = 33902;
inline constexpr std::uint32_t kCommandAddFavouriteObject = 32791;
inline constexpr std::uint32_t kCommandRemoveFavouriteObject = 32792;

// One row of the quick-button table: its command, long text (options) and button text.
struct QuickButtonCommand {
    std::uint32_t command;
    std::uint32_t longText;
    std::uint32_t shortText;
};
inline constexpr std::array<QuickButtonCommand, 10> kQuickButtonCommands{{{2061, 305, 305},
                                                               {2063, 176, 176},
                                                               {2062, 177, 177},
                                                               {2064, 321, 322},
                                                               {2065, 300, 320},
                                                               {2066, 301, 319},
                                                               {2067, 307, 318},
                                                               {2068, 308, 317},
                                                               {32850, 323, 324},
                                                               {307, 370, 371}}};
// The row of a quick-button setting; a value outside the table gives row 0.
const QuickButtonCommand& quickButtonRow(std::int32_t setting);

// What the page asks of the form it lives in (the form implements it).
class SearchFormHost {
public:
    virtual ~SearchFormHost() = default;
    // The tab's category filter index (0: no restriction).
    virtual int categoryFilter() const = 0;
    virtual void setCategoryFilter(int index) = 0;
    // The filter the name search applies now (the full-screen entry's own while it is open).
    virtual int searchCategory() const = 0;
    // The form's commands a quick button stands for.
    virtual void formCommand(std::uint32_t id) = 0;
    // The full-screen entry takes a box while the input panel is up (touch screens).
    virtual void takeTextBox(cTextBox& box) = 0;
};

class cZaklFormularView : public cBaseView {
public:
    // context, host and the message view (the keypad's full transfers list) outlive the page.
    cZaklFormularView(ProgramContext& context, SearchFormHost& host, cImageMessageBoxView* listView);
    ~cZaklFormularView() override;

    bool createPage(platform::WindowHandle form, const Rect& rect);

    void menuFind();
    void swapFromTo();
    void setNow();
    void setDeparture(bool departure);
    void addToFavourites(bool add);
    void ResetForm();
    void Layout(unsigned flags, int width, int height) override;
    void OnViewActivate() override;
    // The date and time the search asks for.
    std::time_t queryTime() const { return spin.GetTime(); }
    bool isArrival() const;

    // The tab's set changed: the boxes search it.
    void setSet(std::int32_t set) { names.setSet(set); }

    // A GPS search waits for its first fix; the first fix starts it, exactly once.
    bool waitingForGps() const { return gpsWait_.waiting(); }
    // Starts the GPS receiver for a GPS search (replaced in tests).
    std::function<void(platform::WindowHandle)> startGps;

    EngineObjectNames names;
    cTextBox from;
    cTextBox to;
    cTextBox via;
    cChoiceBox transfers;
    cSpinField spin;
    std::array<cImageStatic, 6> labels;  // "Z:", "Do:", "Přes:", "Čas:", "Přestupů:", "Typ:"
    cImageButton departureRadio{5};
    cImageButton arrivalRadio{6};
    std::array<cImageButton, 3> quick{cImageButton(7), cImageButton(8), cImageButton(9)};
    bool departureFlag = true;  // keypad devices

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    platform::MsgResult OnPageMoveFocus(std::uintptr_t wParam, std::intptr_t lParam);
    platform::MsgResult OnTextBoxMode(std::uintptr_t wParam, std::intptr_t);
    platform::MsgResult OnToggleT9(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnGpsPosition(std::uintptr_t wParam, std::intptr_t);
    platform::MsgResult OnRelayout(std::uintptr_t, std::intptr_t);
    bool isGpsEntry() const;
    void startSearchJob(std::unique_ptr<cSearchJob> job);
    bool routeCommand(std::uint32_t id, std::uint32_t code) override;
    cTextBox* focusedBox(bool withVia) const;

    ProgramContext& context_;
    SearchFormHost& host_;
    GpsSearchWait gpsWait_;
};

}  // namespace pelorvant
