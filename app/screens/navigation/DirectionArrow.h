#pragma once
// The arrow of the navigation view: from the direction of travel towards the target, red,
// with a filled head; nothing while no direction is known.
#include "app/screens/navigation/NavigationGeometry.h"
#include "app/shell/LayoutAnchor.h"

#include "platform/draw/Bitmap.h"
#include "platform/ui/WindowObject.h"

namespace pelorvant {

class cDirectionArrow : public platform::ui::WindowObject {
public:
    bool createArrow(platform::WindowHandle parent, std::uintptr_t id);
    // Degrees, 0 up and clockwise; kNoAngle hides the arrow.
    void setAngle(int angle);
    int angle() const { return angle_; }
    void setFontHeight(int height) { fontHeight_ = height; }
    void paintInto(platform::draw::Bitmap& target) const;

    LayoutAnchor anchor;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void OnPaint();
    platform::MsgResult OnEraseBackground(std::uintptr_t, std::intptr_t) { return 1; }

    int angle_ = kNoAngle;
    int fontHeight_ = 16;
};

}  // namespace pelorvant
