#pragma once
// Whether the screen shows what its windows would paint now: a paint lost after a change (a
// window shown again, resized while hidden, a child shown in a hidden parent) leaves stale or
// blank parts that a repaint of the whole tree from nothing does not.

#include <string>

namespace platform::testkit {

// Empty when the composed screen equals a repaint of every shown window from nothing; else
// the rectangle where they differ and the window under its first differing pixel, from the
// top-level window down, e.g.
//   [12,80 200x24] differs from a full repaint; under: cTabFrame id=0 "Pelorvant" >
//   ... > TextBox id=2011 ""
// With `savedAs`, a difference also writes both screens, savedAs + "-shown.png" and
// savedAs + "-repainted.png".
std::string wholeRepaintDifference(const std::string& savedAs = {});

}  // namespace platform::testkit
