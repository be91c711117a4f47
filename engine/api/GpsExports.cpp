// Placing points and stops on the map of the GPS views.
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/api/BoundaryBuffers.h"
#include "engine/api/EngineAccess.h"
#include "engine/api/ExportFrame.h"
#include "engine/data/Geography.h"
#include "engine/data/TimetableCombination.h"
#include "engine/data/TimetableFile.h"

using namespace trasovnik;
using namespace trasovnik::api;

namespace {
constexpr double kFitScale = -1.0;
// A view no larger than its margins still gets a usable half-side.
constexpr int kViewMargin = 4;
// Window sizes are 16-bit on the screen; with a view no larger than this, a stop's pixel (its
// offset from the centre is at most a billion pixels) plus the view's half-side stays in range.
constexpr std::int32_t kMaxViewPixels = 32767;

int viewSide(std::int32_t pixels) {
    if (pixels < 0 || pixels > kMaxViewPixels) {
        raiseEngine(ENGINE_EXC_BAD_ARGUMENT);
    }
    return pixels;
}
}  // namespace

extern "C" {

int32_t api_gpsGetPointInPx(double latitude, double longitude, double centreLatitude,
                            double centreLongitude, double metresPerPixel, double* distance,
                            int32_t* x, int32_t* y) {
    return guarded([&] {
        auto& outDistance = out(distance);
        auto& outX = out(x);
        auto& outY = out(y);
        // The offset of the point seen from the centre, as the map draws it.
        const PixelPlacement p =
            projectToPixels(centreLatitude, centreLongitude, latitude, longitude, metresPerPixel);
        outDistance = p.distanceMetres;
        outX = p.x;
        outY = p.y;
    });
}

int32_t api_gpsGetMapActualCenter(int32_t setIndex, double centreLatitude, double centreLongitude,
                                  double* metresPerPixel, const uint16_t* stops,
                                  const int32_t* timetables, int32_t count, uint16_t fitStop,
                                  int32_t fitTimetable, int32_t viewWidth, int32_t viewHeight,
                                  TrasaPixel** pixels, char*** names, int32_t** nameLengths,
                                  double** distances, double** bearings, uint8_t* allPlaced) {
    return guarded([&] {
        double& scale = out(metresPerPixel);
        const auto stopList = arrayArgument(stops, count);
        const auto timetableList = arrayArgument(timetables, count);
        const cJizdniRadySestavy& set = combinationOf(setIndex);
        const int w = viewSide(viewWidth) - kViewMargin;
        const int h = (viewSide(viewHeight) - kViewMargin) / 2;

        double newScale = scale;
        if (scale == kFitScale) {
            const cJizdniRad& tt = set.timetable(indexArgument(fitTimetable));
            const cPoloha pos = tt.stops.position(fitStop);
            if (tt.stops.hasCoordinates() && hasPosition(pos.latitude, pos.longitude)) {
                int halfSide = w < viewHeight - kViewMargin ? w / 2 : h;
                if (halfSide < 1) {
                    halfSide = 1;
                }
                const double fitted =
                    vzdalenostBodu(centreLatitude, centreLongitude, pos.latitude, pos.longitude) /
                    halfSide;
                // A stop at the centre itself gives no scale; one metre per pixel shows it.
                newScale = fitted > 0 ? fitted : 1.0;
            }
        }

        auto pixelArray = allocateArray<TrasaPixel>(stopList.size());
        auto nameArray = allocateArray<char*>(stopList.size());
        auto lengthArray = allocateArray<int32_t>(stopList.size());
        auto distanceArray = allocateArray<double>(stopList.size());
        auto bearingArray = allocateArray<double>(stopList.size());
        std::vector<CBuffer<char>> nameTexts;
        nameTexts.reserve(stopList.size());
        bool placedAll = true;
        for (std::size_t i = 0; i < stopList.size(); ++i) {
            const cJizdniRad& tt = set.timetable(indexArgument(timetableList[i]));
            const std::string_view name = tt.stops.name(tt.names, stopList[i]);
            const cPoloha pos = tt.stops.position(stopList[i]);
            TrasaPixel pixel{-1, -1};
            double metres = -1;
            double bearing = 0;
            if (tt.stops.hasCoordinates() && hasPosition(pos.latitude, pos.longitude)) {
                const PixelPlacement p = projectToPixels(centreLatitude, centreLongitude,
                                                         pos.latitude, pos.longitude, newScale);
                pixel = TrasaPixel{p.x + w / 2 + 2, p.y + h + 2};
                metres = p.distanceMetres;
                bearing = p.compassBearing;
            } else {
                placedAll = false;
            }
            nameTexts.push_back(copyText(name));
            pixelArray.get()[i] = pixel;
            nameArray.get()[i] = nameTexts.back().get();
            lengthArray.get()[i] = static_cast<int32_t>(name.size());
            distanceArray.get()[i] = metres;
            bearingArray.get()[i] = bearing;
        }
        auto& outPixels = out(pixels);
        auto& outNames = out(names);
        auto& outLengths = out(nameLengths);
        auto& outDistances = out(distances);
        auto& outBearings = out(bearings);
        auto& outPlaced = out(allPlaced);
        for (auto& t : nameTexts) {
            (void)t.release();
        }
        scale = newScale;
        outPixels = pixelArray.release();
        outNames = nameArray.release();
        outLengths = lengthArray.release();
        outDistances = distanceArray.release();
        outBearings = bearingArray.release();
        outPlaced = placedAll ? 1 : 0;
    });
}

}  // extern "C"
