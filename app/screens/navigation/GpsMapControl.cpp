#include "app/screens/navigation/GpsMapControl.h"

#include "app/core/TextConversion.h"
#include "app/screens/navigation/NavigationGeometry.h"
#include "app/shell/BufferedPaint.h"
#include "app/shell/ShellWindowClass.h"

#include "platform/draw/DeviceContext.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <cmath>

namespace pelorvant {

namespace ui = platform::ui;
namespace draw = platform::draw;

namespace {

constexpr std::uint32_t kTextNoMap = 437;
// Engine pixels are kept this far from the centre at most, so that nothing overflows when the
// map adds its own offsets; such points lie far outside any control anyway.
constexpr int kFarAway = 1000000;

int bounded(std::int32_t v) { return std::clamp(v, -kFarAway, kFarAway); }

// The arrays api_gpsGetMapActualCenter hands over, freed on every path.
struct MapArrays {
    TrasaPixel* pixels = nullptr;
    char** names = nullptr;
    std::int32_t* nameLengths = nullptr;
    double* distances = nullptr;
    double* bearings = nullptr;
    std::int32_t count = 0;
    ~MapArrays() {
        if (names != nullptr) {
            for (std::int32_t i = 0; i < count; ++i) EngineOwned<char> name(names[i]);
        }
        EngineOwned<char*> a(names);
        EngineOwned<TrasaPixel> b(pixels);
        EngineOwned<std::int32_t> c(nameLengths);
        EngineOwned<double> d(distances);
        EngineOwned<double> e(bearings);
    }
};

// The map's frame, one grey pixel along each edge.
void drawBorder(draw::DeviceContext& dc, const Rect& client) {
    constexpr draw::Color kBorder = draw::rgb(0x6E, 0x6E, 0x6E);
    dc.fillRect(Rect{client.left, client.top, client.right, client.top + 1}, kBorder);
    dc.fillRect(Rect{client.left, client.bottom - 1, client.right, client.bottom}, kBorder);
    dc.fillRect(Rect{client.left, client.top, client.left + 1, client.bottom}, kBorder);
    dc.fillRect(Rect{client.right - 1, client.top, client.right, client.bottom}, kBorder);
}

}  // namespace

bool cGpsMapControl::createMap(platform::WindowHandle parent, std::uintptr_t id) {
    if (!create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, Rect{0, 0, 10, 10}, parent, id))) {
        return false;
    }
    ui::setWindowText(handle(), u"Map");
    return true;
}

void cGpsMapControl::setTarget(std::int32_t set, std::int32_t timetable, std::int32_t stop, std::u16string name) {
    set_ = set;
    timetable_ = timetable;
    stop_ = stop;
    targetName_ = std::move(name);
    scale_ = kFitScale;
    track_.clear();
    items_.clear();
}

void cGpsMapControl::refit() {
    scale_ = kFitScale;
    track_.clear();
}

void cGpsMapControl::clearItems() {
    items_.clear();
    ui::invalidateRect(handle(), nullptr, false);
}

draw::Point cGpsMapControl::project(const GeoPoint& point, const GeoPoint& centre) const {
    const Rect client = ui::getClientRect(handle());
    double metres = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (api_.api_gpsGetPointInPx(point.latitude, point.longitude, centre.latitude, centre.longitude, scale_, &metres,
                                 &x, &y) != ENGINE_OK) {
        return {client.width() / 2, client.height() / 2};
    }
    return {bounded(x) + client.width() / 2, bounded(y) + client.height() / 2};
}

MapFix cGpsMapControl::update(const GeoPoint& position) {
    MapFix fix;
    items_.clear();
    if (stop_ < 0 || timetable_ < 0) {
        ui::invalidateRect(handle(), nullptr, false);
        return fix;
    }
    const Rect client = ui::getClientRect(handle());
    const std::uint16_t stop = static_cast<std::uint16_t>(stop_);
    const std::int32_t timetable = timetable_;
    MapArrays arrays;
    std::uint8_t placed = 0;
    double scale = scale_;
    const std::int32_t status = api_.api_gpsGetMapActualCenter(
        set_, position.latitude, position.longitude, &scale, &stop, &timetable, 1, stop, timetable, client.width(),
        client.height(), &arrays.pixels, &arrays.names, &arrays.nameLengths, &arrays.distances, &arrays.bearings,
        &placed);
    arrays.count = status == ENGINE_OK ? 1 : 0;
    // A scale of zero, below zero or not a number cannot place anything: the next fix asks
    // for a new one.
    const bool usable = status == ENGINE_OK && placed != 0 && arrays.pixels != nullptr && arrays.distances != nullptr &&
                        arrays.bearings != nullptr && std::isfinite(scale) && scale > 0 &&
                        std::isfinite(arrays.distances[0]);
    scale_ = usable ? scale : kFitScale;
    if (usable) {
        fix.distance = arrays.distances[0];
        fix.direction = arrays.bearings[0];
        std::u16string name;
        if (arrays.names != nullptr && arrays.nameLengths != nullptr && arrays.names[0] != nullptr) {
            name = fromNarrowString(arrays.names[0], std::max(0, arrays.nameLengths[0]));
        }
        const draw::Point centre{client.width() / 2, client.height() / 2};
        items_.push_back({draw::Point{bounded(arrays.pixels[0].x), bounded(arrays.pixels[0].y)}, std::move(name), 0});
        items_.push_back({centre, u"", kPositionColor});
        track_.reproject([&](const GeoPoint& p) { return project(p, position); });
        track_.add(position, centre);
    }
    ui::invalidateRect(handle(), nullptr, false);
    return fix;
}

void cGpsMapControl::paintInto(draw::Bitmap& target) const {
    draw::DeviceContext dc(target);
    const Rect client{0, 0, target.width(), target.height()};
    dc.fillRect(client, draw::rgb(255, 255, 255));
    drawBorder(dc, client);
    dc.selectFont(font_);
    dc.setBkMode(draw::BackgroundMode::Transparent);
    if (items_.empty()) {
        dc.setTextColor(0);
        dc.drawText(platform::resources::loadResString(kTextNoMap), client,
                    draw::kTextCenter | draw::kTextVCenter | draw::kTextWordBreak);
        return;
    }
    const auto track = track_.pixels();
    if (track.size() > 1) {
        dc.selectPen(draw::Pen{kTrackColor});
        dc.polyline(track);
    }
    for (const MapItem& item : items_) {
        dc.selectPen(draw::Pen{item.color});
        dc.moveTo(item.pixel.x - 5, item.pixel.y);
        dc.lineTo(item.pixel.x + 6, item.pixel.y);
        dc.moveTo(item.pixel.x, item.pixel.y - 5);
        dc.lineTo(item.pixel.x, item.pixel.y + 6);
        if (item.name.empty()) continue;
        const draw::Size size = dc.textExtent(item.name);
        const draw::Point at = namePosition(item.pixel, size, client);
        dc.setTextColor(item.color);
        dc.drawText(item.name, Rect::fromSize(at.x, at.y, std::min(size.width, client.width()), size.height),
                    draw::kTextSingleLine);
    }
}

void cGpsMapControl::OnPaint() {
    paintBuffered(handle(), [this](draw::Bitmap& buffer) { paintInto(buffer); });
}

const ui::MessageMapBase& cGpsMapControl::messageMap() const {
    static const auto map = ui::MessageMap<cGpsMapControl>(&WindowObject::messageMap())
                                .message(ui::WM_PAINT, &cGpsMapControl::OnPaint)
                                .message(ui::WM_ERASEBKGND, &cGpsMapControl::OnEraseBackground);
    return map;
}

}  // namespace pelorvant
