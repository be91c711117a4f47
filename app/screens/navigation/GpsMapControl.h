#pragma once
// The small map of the navigation view: the target stop and the walker's position as crosses
// with their names, and the track of the last positions, centred on the position. The engine
// places the target and chooses the scale; "Mapa není k dispozici" when it cannot.
#include "app/core/EngineBinding.h"
#include "app/screens/navigation/NavigationTrack.h"
#include "app/shell/LayoutAnchor.h"

#include "platform/draw/Bitmap.h"
#include "platform/draw/Color.h"
#include "platform/draw/Font.h"
#include "platform/ui/WindowObject.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pelorvant {

struct MapItem {
    platform::draw::Point pixel;
    std::u16string name;
    platform::draw::Color color = 0;
};

// What one map update found: the distance (-1 when unknown) and the compass direction to the
// target in degrees.
struct MapFix {
    double distance = -1;
    double direction = 0;
};

inline constexpr double kFitScale = -1;
inline constexpr platform::draw::Color kTrackColor = 0xFF0000;  // blue
inline constexpr platform::draw::Color kPositionColor = 255;    // red

class cGpsMapControl : public platform::ui::WindowObject {
public:
    // api must outlive the control.
    explicit cGpsMapControl(const EngineApi& api) : api_(api) {}

    bool createMap(platform::WindowHandle parent, std::uintptr_t id);
    // A new target: the scale is chosen again and the track starts empty.
    void setTarget(std::int32_t set, std::int32_t timetable, std::int32_t stop, std::u16string name);
    // "Přizpůsobit mapu": the next fix chooses a new scale; the track starts again.
    void refit();
    // The map centred on a new position.
    MapFix update(const GeoPoint& position);
    // No fix: nothing to show.
    void clearItems();
    void setFont(const platform::draw::Font* font) { font_ = font; }

    const std::vector<MapItem>& items() const { return items_; }
    const NavigationTrack& track() const { return track_; }
    double scale() const { return scale_; }
    // Draws the map into a client-sized bitmap (the paint handler and the pixel tests).
    void paintInto(platform::draw::Bitmap& target) const;

    LayoutAnchor anchor;

    const platform::ui::MessageMapBase& messageMap() const override;

private:
    void OnPaint();
    platform::MsgResult OnEraseBackground(std::uintptr_t, std::intptr_t) { return 1; }
    platform::draw::Point project(const GeoPoint& point, const GeoPoint& centre) const;

    const EngineApi& api_;
    std::int32_t set_ = -1;
    std::int32_t timetable_ = -1;
    std::int32_t stop_ = -1;
    std::u16string targetName_;
    std::vector<MapItem> items_;
    NavigationTrack track_;
    double scale_ = kFitScale;
    const platform::draw::Font* font_ = nullptr;
};

}  // namespace pelorvant
