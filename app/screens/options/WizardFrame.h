#pragma once
// The first-run wizard (view 4039): the basic settings page alone. "Dokončit" stores the
// choices, marks the wizard finished, flushes and confirms; "Konec" ends the program without
// saving, so the wizard comes again at the next start.
#include "app/core/ProgramContext.h"
#include "app/screens/options/OptionsBasicPage.h"
#include "app/shell/TabbedForm.h"

#include <functional>

namespace pelorvant {

class cImageMessageBoxView;
class ViewSwitcher;

inline constexpr int kWizardViewId = 4039;
inline constexpr int kWizardMenuId = 156;
inline constexpr std::uint32_t kCommandWizardExit = 32783;
inline constexpr std::uint32_t kCommandWizardFinish = 32784;

// The confirmation text: the title in fontHeight × 1.2 (truncated), the body in fontHeight.
std::u16string wizardConfirmationText(std::int32_t fontHeight);

class cWizardFrame : public cTabbedForm {
public:
    // The context and the message-box view must outlive the frame; `terminate` ends the program.
    cWizardFrame(ProgramContext& context, cImageMessageBoxView& messageBox,
                 std::function<void()> terminate);
    ~cWizardFrame() override;

    bool createFrame(WindowHandle tabPage, const Rect& rect);

    bool Refresh() override;
    void Layout(unsigned flags, int width, int height) override;

    void finish();
    void exit();

    cOptionsBasicPage basic;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    platform::MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    void OnSetFocus();

    ProgramContext& context_;
    cImageMessageBoxView& messageBox_;
    std::function<void()> terminate_;
    OptionsValues loaded_;
};

}  // namespace pelorvant
