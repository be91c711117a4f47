#pragma once
// Walking to a stop of a found connection: a small map around the GPS position with the stop
// and the track walked, an arrow from the direction of travel towards the stop, and the stop's
// name with its distance.
#include "app/core/ProgramContext.h"
#include "app/screens/navigation/DirectionArrow.h"
#include "app/screens/navigation/GpsMapControl.h"
#include "app/screens/navigation/NavigationReceiver.h"
#include "app/shell/BaseView.h"
#include "app/shell/ImageButton.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ImageStatic.h"

#include <string>

namespace pelorvant {

inline constexpr std::uintptr_t kRefitButtonId = 2055;
inline constexpr std::uintptr_t kNavigationLabelId = 125;
inline constexpr std::uintptr_t kNavigationMapId = 646;
inline constexpr std::uint32_t kCommandNavigationOk = 32775;
inline constexpr int kViewGpsNavigationId = 4045;

class cGPSNavigFormView : public cBaseView {
public:
    // The context must outlive the view.
    explicit cGPSNavigFormView(ProgramContext& context);

    bool createNavigationView(WindowHandle tabPage, const Rect& rect, std::uintptr_t id);
    // Guides to the stop of the timetable (in the tab's set); "Ok" returns to returnView.
    void showStop(int returnView, int returnArgument, std::int32_t stop, std::int32_t timetable);

    void Layout(unsigned flags, int width, int height) override;
    void ShowView(int showCommand) override;

    // Not owned; null until the program's receiver is set.
    NavigationReceiver* receiver = nullptr;

    cImageButton refitButton{0};
    ImageLabel infoLabel{false};
    cGpsMapControl map;
    cDirectionArrow arrow;
    cImageStatic directionCaption;
    std::u16string targetName;
    int returnView = 0;
    int returnArgument = 0;
    double distance = -1;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    MsgResult OnCreate(std::uintptr_t, std::intptr_t);
    MsgResult OnPosition(std::uintptr_t wParam, std::intptr_t);
    MsgResult OnNoFix(std::uintptr_t, std::intptr_t);
    MsgResult OnStopped(std::uintptr_t, std::intptr_t);
    void menuOk();
    void menuRefit();
    void showDistance(double metres);
    void fitButtonFont();
    std::int32_t tabSet() const;

    ProgramContext& context_;
};

}  // namespace pelorvant
