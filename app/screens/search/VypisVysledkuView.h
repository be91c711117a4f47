#pragma once
// The search results of a tab: the connections of one stored result in the results list, and
// what can be done with them: earlier and later connections, the notes of a trip, the listing
// of a trip, a calendar entry, a text message with the listing, the SMS ticket and the position of a
// train.
#include "app/core/DeviceActions.h"
#include "app/core/ProgramContext.h"
#include "app/screens/search/ConnectionList.h"
#include "app/shell/BaseView.h"

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace pelorvant {

class cChoicePopup;
class cImageMessageBoxView;
class cVypisSpojeView;

inline constexpr int kResultsViewId = 4026;
inline constexpr std::uint32_t kCommandResultsBack = 32779;
inline constexpr std::uint32_t kCommandLater = 32805;
inline constexpr std::uint32_t kCommandEarlier = 32806;
inline constexpr std::uint32_t kCommandNotes = 32807;
inline constexpr std::uint32_t kCommandCalendar = 32781;
inline constexpr std::uint32_t kCommandSmsListing = 32798;
inline constexpr std::uint32_t kCommandTrainPosition = 32799;
inline constexpr std::uint32_t kCommandNavigate = 32836;
inline constexpr std::uint32_t kCommandFirstTicket = 33312;
inline constexpr std::uint32_t kCommandLastTicket = 33362;

class cVypisVysledkuView : public cBaseView {
public:
    // All references outlive the view.
    cVypisVysledkuView(ProgramContext& context, cImageMessageBoxView& messageView, cVypisSpojeView& listing);
    ~cVypisVysledkuView() override;

    bool createResultsView(platform::WindowHandle tabPage, const Rect& rect);

    // Shows a stored result.
    void ShowResults(std::int32_t resultId);
    void findLaterOrEarlier(bool later);
    void showNotes();
    void addToCalendar();
    // Asks how many connections the text message is to hold ("1" to the number shown), then
    // hands their listing to the message composer.
    void askListing();
    // The text-message listing of the first `count` connections through the message composer.
    void sendListing(int count);
    // The SMS ticket `ticket` of the set, after the price is confirmed.
    void sendTicket(int ticket);
    // Asks the operator of the selected trip's train where it is now, by text message.
    void requestTrainPosition();
    bool openListing();
    void stepLeg(bool next);

    void Layout(unsigned flags, int width, int height) override;
    bool Refresh() override;
    void OnViewActivate() override;

    // The date searched for (the search page's); set by the tab page.
    std::function<std::time_t()> queryTime;
    // Text messages, calendar entries and the composer, each on a worker of its own.
    DeviceActions deviceActions;
    std::int32_t resultId = -1;
    cConnectionList list;

    const platform::ui::MessageMapBase& messageMap() const override;
    bool routeCommand(std::uint32_t id, std::uint32_t code) override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    platform::MsgResult OnResultOpen(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnResultNext(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnResultPrev(std::uintptr_t, std::intptr_t);
    platform::MsgResult OnViewMoveFocus(std::uintptr_t wParam, std::intptr_t);
    platform::MsgResult OnDeviceActionDone(std::uintptr_t number, std::intptr_t result);
    void adaptMenu();
    std::int32_t setIndex() const;
    std::int16_t searchDay() const;
    void engineFailure(std::int32_t status);
    void notice(std::uint32_t textId);
    void showChoiceView(int viewId);
    void sendTrainPosition(std::u16string_view operatorName, const std::u16string& lineName);
    // Sends on a worker while the message view shows what is being sent; the outcome comes
    // in a box (a failed train-position request with its own text first).
    void sendMessage(const std::u16string& recipient, const std::u16string& text, bool trainPosition);
    void askChoice(std::uint32_t questionId, const std::vector<std::u16string>& strings,
                   std::function<void(std::u16string_view)> chosen);

    ProgramContext& context_;
    cImageMessageBoxView& messageView_;
    cVypisSpojeView& listing_;
    std::unique_ptr<cChoicePopup> choice_;
};

}  // namespace pelorvant
