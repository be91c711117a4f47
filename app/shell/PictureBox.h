#pragma once
// A picture from the image registry, stretched over the whole window (the logo of the
// timetable-set choice).

#include "app/shell/LayoutAnchor.h"

#include "platform/draw/Bitmap.h"
#include "platform/ui/WindowObject.h"

#include <string>

namespace pelorvant {

class cPictureBox : public platform::ui::WindowObject {
public:
    explicit cPictureBox(std::u16string imageName) : imageName(std::move(imageName)) {}

    // Loads the picture, then creates the window as a visible child. Throws ShellException
    // "No image loaded Exception" (and makes no window) when the picture does not load.
    bool createBox(platform::WindowHandle parent, const Rect& rect, std::uintptr_t id);

    LayoutAnchor anchor;
    platform::draw::Bitmap bitmap;
    std::u16string imageName;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void OnPaint();
};

}  // namespace pelorvant
