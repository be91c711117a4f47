#pragma once
// Points, sizes and rectangles in pixels. A rectangle holds left and top and excludes right
// and bottom, as the program's layout arithmetic expects.

#include <algorithm>

namespace platform::draw {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static Rect fromSize(int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    Rect offset(int dx, int dy) const { return Rect{left + dx, top + dy, right + dx, bottom + dy}; }
    Rect intersect(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        return r.empty() ? Rect{} : r;
    }
    // The smallest rectangle holding both; an empty rectangle adds nothing.
    Rect unite(const Rect& o) const {
        if (empty()) {
            return o;
        }
        if (o.empty()) {
            return *this;
        }
        return Rect{std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                    std::max(bottom, o.bottom)};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace platform::draw
