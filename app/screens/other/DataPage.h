#pragma once
// What the data views share: a check list of timetables and a caption below it that describes
// the selected row, placed for touch or keypad devices.
#include "app/core/ProgramContext.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ReportList.h"

namespace pelorvant {

inline constexpr std::uintptr_t kDataListId = 2034;
inline constexpr std::uint32_t kCommandBack = 32786;

class cDataPage : public cBaseView {
public:
    // The context must outlive the view.
    explicit cDataPage(ProgramContext& context) : cBaseView(true, false, false), context_(context) {}

    void Layout(unsigned flags, int width, int height) override;

    cReportList list;
    ImageLabel caption{false};
    LayoutAnchor captionAnchor;

    const platform::ui::MessageMapBase& messageMap() const override;

protected:
    ProgramContext& context_;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();
};

}  // namespace pelorvant
