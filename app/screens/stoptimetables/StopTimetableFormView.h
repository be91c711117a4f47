#pragma once
// The stop-timetable page of the search form: Linka, Z, Směr, Datum and Celý týden. Find asks
// the engine for the stop timetable of one file of the tab's set; a found timetable goes to
// the result view, any other answer is told in a message box, and the choices the engine
// offers replace the boxes they settle until "X" returns a side to typing.
#include "app/core/ProgramContext.h"
#include "app/screens/stoptimetables/StopLineEdit.h"
#include "app/screens/stoptimetables/StopTimetableChoices.h"
#include "app/shell/BaseView.h"
#include "app/shell/ChoiceBox.h"
#include "app/shell/EngineObjectNames.h"
#include "app/shell/ImageButton.h"
#include "app/shell/ImageStatic.h"
#include "app/shell/SpinField.h"
#include "app/shell/TextBox.h"

#include <array>
#include <functional>

namespace pelorvant {

class cImageMessageBoxView;

inline constexpr std::uintptr_t kStFromBoxId = 2037;
inline constexpr std::uintptr_t kStDirectionBoxId = 2038;
inline constexpr std::uintptr_t kStChildId = 2057;
inline constexpr std::uintptr_t kStWeekBoxId = 2076;
inline constexpr std::uintptr_t kStFromChoiceId = 2049;
inline constexpr std::uintptr_t kStChoiceId = 125;
inline constexpr std::uintptr_t kStLineBoxTouchId = 100;
inline constexpr std::uintptr_t kStLineBoxKeypadId = 2056;
inline constexpr std::uint32_t kCommandClearFrom = 2095;
inline constexpr std::uint32_t kCommandClearDirection = 2096;
inline constexpr std::uint32_t kCommandClearLine = 2097;
inline constexpr std::uint32_t kCommandResetStopForm = 32820;
inline constexpr std::uint32_t kCommandBackToSearchForm = 32818;
inline constexpr std::uint32_t kCommandFirstTimetable = 33501;

// What the page hands over after a search with status 0: the result (released by the page
// once this returns), the query and the counts.
using StopTimetableShow =
    std::function<void(const StopTimetableAnswer&, const StopTimetableQuery&)>;

class cStopTimetableFormView : public cBaseView {
public:
    // The context and the list view outlive the page.
    cStopTimetableFormView(ProgramContext& context, cImageMessageBoxView* listView);
    ~cStopTimetableFormView() override;

    bool createPage(platform::WindowHandle form, const Rect& rect);

    void SelectTimetable(std::int32_t fileIndex);
    void ResetForm();
    void SetCurrentTime();
    void SwapDirection();
    void menuFind();
    // Shows the choices of a search run again from the result's route (a status other than 0
    // that offers choices) as Find shows its own, with the from stop the search used as the
    // from choice when a direction is to be chosen; then the message and the list that opens
    // by itself.
    void offerChoices(const StopTimetableAnswer& answer, const StopTimetableQuery& query);
    void Layout(unsigned flags, int width, int height) override;
    void ShowView(int showCommand) override;
    bool routeCommand(std::uint32_t id, std::uint32_t code) override;

    // Shows a found stop timetable (the tab's result view); set by the tab.
    StopTimetableShow showResult;

    std::int32_t fileIndex() const { return fileIndex_; }
    const StopTimetableChoices& choices() const { return choices_; }

    EngineObjectNames names;
    cTextBox from;
    cTextBox direction;
    cSpinField date;
    std::array<cImageStatic, 4> labels;  // "Z:", "Směr:", "Datum:", "Linka:"
    cImageButton week{4};
    cChoiceBox fromChoice;
    cChoiceBox directionChoice;
    cChoiceBox lineChoice;
    cStopLineEdit lineBox{5};
    std::array<cImageButton, 3> clear{cImageButton(6), cImageButton(7), cImageButton(8)};

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    enum Side { kFromSide = 0, kDirectionSide = 1, kLineSide = 2 };

    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    platform::MsgResult OnPageMoveFocus(std::uintptr_t wParam, std::intptr_t lParam);
    std::int32_t setIndex() const;
    void backToTyping(Side side, bool focus);
    void showChoice(Side side);
    void refreshDirections();
    void fillChoices();
    void takeChoices(const StopTimetableAnswer& answer, std::int32_t set);
    // Shows the choice boxes of the sides given, tells the status's message, then opens the
    // list that opens by itself.
    void showStatus(const StatusReaction& reaction, bool line, bool from, bool direction);
    void openListByItself(bool line, bool from, bool direction);
    platform::MsgResult OnChoiceChanged(std::uintptr_t id, std::intptr_t);
    void fromChoiceChanged(bool opensDirections);
    std::int32_t sideElement(const cTextBox& box, const cChoiceBox& choice, Side side) const;
    // The file's stops category, whose elements the search takes; -1 when it has none.
    std::int32_t stopsKind() const;
    std::u16string stopElementName(std::int32_t element) const;
    platform::WindowHandle sideWindow(int side) const;
    void tell(std::uint32_t text);

    ProgramContext& context_;
    std::int32_t fileIndex_ = 0;
    std::int32_t catalogueIndex_ = -1;
    std::array<bool, 3> choosing_{};
    StopTimetableChoices choices_;
};

}  // namespace pelorvant
