#pragma once
// What the user may choose when importing a feed.

namespace gtfs2jz {

struct ImportOptions {
    // Stops within this straight-line distance get walking links both ways; 0 for none.
    double walkRadiusMetres = 300;
    // shape_dist_traveled is in kilometres (else metres).
    bool distancesInKm = false;
};

}  // namespace gtfs2jz
