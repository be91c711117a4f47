#include "platform/testkit/RepaintCheck.h"

#include "platform/draw/Bitmap.h"
#include "platform/draw/Utf.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <vector>

namespace platform::testkit {
namespace {

using draw::Point;
using draw::Rect;

// The shown windows under a screen point, from the top-level window down to the deepest.
bool chainAt(WindowHandle h, Point at, std::vector<WindowHandle>& chain) {
    if (!(ui::getStyle(h) & ui::WS_VISIBLE) || !ui::getWindowRect(h).contains(at)) {
        return false;
    }
    chain.push_back(h);
    const Point inClient = ui::screenToClient(h, at);
    if (ui::getClientRect(h).contains(inClient)) {
        for (WindowHandle child : ui::getChildren(h)) {
            if (chainAt(child, at, chain)) {
                break;
            }
        }
    }
    return true;
}

std::string describe(WindowHandle h) {
    return ui::getClassName(h) + " id=" + std::to_string(ui::getDlgCtrlId(h)) + " \"" +
           draw::toUtf8(ui::getWindowText(h)) + "\"";
}

}  // namespace

std::string wholeRepaintDifference(const std::string& savedAs) {
    draw::Bitmap shown;
    ui::composeScreen(shown);
    draw::Bitmap repainted;
    ui::composeRepaintedScreen(repainted);
    Rect box;
    bool any = false;
    Point first;
    for (int y = 0; y < shown.height(); ++y) {
        const std::uint32_t* a = shown.row(y);
        const std::uint32_t* b = repainted.row(y);
        for (int x = 0; x < shown.width(); ++x) {
            if (a[x] == b[x]) {
                continue;
            }
            if (!any) {
                first = Point{x, y};
                box = Rect{x, y, x + 1, y + 1};
                any = true;
            }
            box = box.unite(Rect{x, y, x + 1, y + 1});
        }
    }
    if (!any) {
        return {};
    }
    if (!savedAs.empty()) {
        shown.savePng(savedAs + "-shown.png");
        repainted.savePng(savedAs + "-repainted.png");
    }
    std::string out = "[" + std::to_string(box.left) + "," + std::to_string(box.top) + " " +
                      std::to_string(box.width()) + "x" + std::to_string(box.height()) +
                      "] differs from a full repaint; under:";
    std::vector<WindowHandle> chain;
    for (WindowHandle top : ui::getTopLevelWindows()) {
        if (chainAt(top, first, chain)) {
            break;
        }
    }
    for (std::size_t i = 0; i < chain.size(); ++i) {
        out += (i == 0 ? " " : " > ") + describe(chain[i]);
    }
    return out;
}

}  // namespace platform::testkit
