#include "app/screens/stoptimetables/StopQuerySide.h"

namespace pelorvant {

StopQuerySide stopQuerySide(const cTextBoxKategorieElement& object, std::int32_t fileIndex,
                            std::int32_t stopsKind) {
    StopQuerySide side;
    if (object.count == 0 || object.items == nullptr)
        return side;
    const TrasaTriple* inFile = nullptr;
    int found = 0;
    for (int i = 0; i < object.count; ++i) {
        if (object.items[i].timetable == fileIndex) {
            inFile = &object.items[i];
            ++found;
        }
    }
    if (found == 1 && stopsKind >= 0 && inFile->kind == stopsKind && inFile->element >= 0) {
        side.element = inFile->element;
        return side;
    }
    side.severalStops = true;
    return side;
}

}  // namespace pelorvant
