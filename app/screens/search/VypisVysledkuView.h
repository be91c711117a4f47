#pragma once
// The search results of a tab: the connections of one stored result in the results list, and
// what can be done with them: earlier and later connections, the notes of a trip, the listing
// of a trip, a calendar entry, a text message with the listing, and the SMS ticket.
#include "app/core/ProgramContext.h"
#include "app/screens/search/ConnectionList.h"
#include "app/shell/BaseView.h"

#include <ctime>
#include <functional>

namespace pelorvant {

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

    bool createResultsView(platform::WindowHandle tabPage, const Rect& rect);

    // Shows a stored result.
    void ShowResults(std::int32_t resultId);
    void findLaterOrEarlier(bool later);
    void showNotes();
    void addToCalendar();
    // The text-message listing of the first `count` connections through the message composer.
    void sendListing(int count);
    void sendTicket(int ticket);
    bool openListing();
    void stepLeg(bool next);

    void Layout(unsigned flags, int width, int height) override;
    bool Refresh() override;
    void OnViewActivate() override;

    // The date searched for (the search page's); set by the tab page.
    std::function<std::time_t()> queryTime;
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
    void adaptMenu();
    std::int32_t setIndex() const;
    std::int16_t searchDay() const;
    void engineFailure(std::int32_t status);
    void notice(std::uint32_t textId);

    ProgramContext& context_;
    cImageMessageBoxView& messageView_;
    cVypisSpojeView& listing_;
};

}  // namespace pelorvant
