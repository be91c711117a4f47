#pragma once
// What the data views share: a check list of timetables, a caption below it that describes the
// selected row and, on a touch screen, a push button under them (one of several, when the
// view's pages act differently) and optionally a tab control along the bottom edge.
#include "app/core/ProgramContext.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageButton.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ReportList.h"

#include <memory>
#include <string>
#include <vector>

namespace pelorvant {

inline constexpr std::uintptr_t kDataListId = 2034;
inline constexpr std::uintptr_t kDataTabControlId = 2054;
inline constexpr std::uint32_t kCommandBack = 32786;

struct DataPageButton {
    std::uint32_t text = 0;  // string-table id
    std::uintptr_t id = 0;   // control id, sent as the command of a tap
};

class cDataPage : public cBaseView {
public:
    // The context must outlive the view. The buttons share one place; the first is shown. Tab
    // titles are string-table ids; the tabs are made on touch screens only.
    cDataPage(ProgramContext& context, std::vector<DataPageButton> buttons, bool wideButton,
              std::vector<std::uint32_t> tabTitles = {});

    void Layout(unsigned flags, int width, int height) override;
    // Shows button n (on a touch screen) and hides the others; it becomes the second entry of
    // the focus order.
    void showButton(int n);
    // Selects tab n of the tab control, when there is one.
    void selectTab(int n);
    // Shows a text in the caption. A text taller than the caption's place takes the room it
    // needs from the list above it (the list keeps at least half its height), so that no line
    // of the row's details falls off the caption's bottom.
    void setCaption(std::u16string_view markup);
    bool isKeypad() const { return !context_.settings->isNotSmartphone; }

    cReportList list;
    ImageLabel caption{false};
    LayoutAnchor captionAnchor;
    LayoutAnchor buttonAnchor;
    std::vector<std::unique_ptr<cImageButton>> buttons;
    platform::WindowHandle tabControl = platform::kNullWindow;

    const platform::ui::MessageMapBase& messageMap() const override;

protected:
    ProgramContext& context_;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
    void createTabControl();
    // The part of the client area above the tabs.
    Rect contentArea(int width, int height) const;
    // Moves the list and the caption to their places for the caption's present text.
    void fitCaption();

    std::vector<DataPageButton> buttonSpecs_;
    std::vector<std::uint32_t> tabTitles_;
    bool wideButton_ = false;
    int shownButton_ = 0;
    // Where the layout puts the list and the caption when the caption's text fits.
    Rect listPlace_;
    Rect captionPlace_;
};

}  // namespace pelorvant
