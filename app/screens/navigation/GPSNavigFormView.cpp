#include "app/screens/navigation/GPSNavigFormView.h"

#include "app/core/EngineTexts.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/BufferedPaint.h"
#include "app/screens/navigation/NavigationGeometry.h"
#include "app/screens/progress/TabServices.h"
#include "app/shell/ShellException.h"

#include "platform/controls/ControlMessages.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <algorithm>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextRefit = 438;
constexpr std::uint32_t kTextDirection = 439;
constexpr std::uint32_t kTextReceiverGone = 440;
constexpr std::uintptr_t kStaticId = 646;
constexpr Rect kStart{0, 0, 10, 10};

void place(WindowHandle window, LayoutAnchor& anchor, int width, int height) {
    const Rect r = anchor.place(0, 0, width, height);
    ui::moveWindow(window, r.left, r.top, r.width(), r.height());
}

}  // namespace

cGPSNavigFormView::cGPSNavigFormView(ProgramContext& context)
    : cBaseView(true, true, true), map(*context.api), context_(context) {
    refitButton.anchor = LayoutAnchor({40, 80, 95, 92});
    infoLabel.anchor = LayoutAnchor({3, 2, 98, 15});
    map.anchor = LayoutAnchor({2, 15, 98, 75});
    directionCaption.anchor = LayoutAnchor({2, 77, 38, 85});
}

bool cGPSNavigFormView::createNavigationView(WindowHandle tabPage, const Rect& rect, std::uintptr_t id) {
    return createView(tabPage, rect, id);
}

MsgResult cGPSNavigFormView::OnCreate(std::uintptr_t, std::intptr_t) {
    refitButton.createButton(handle(), loadResString(kTextRefit), kStart, kRefitButtonId);
    infoLabel.createList(handle(), kStart, kNavigationLabelId);
    map.createMap(handle(), kNavigationMapId);
    arrow.createArrow(handle(), kNavigationMapId);
    directionCaption.createStatic(handle(), loadResString(kTextDirection), kStart, kStaticId);
    const AppSettings& settings = *context_.settings;
    const auto mainFont = reinterpret_cast<std::uintptr_t>(settings.mainFont.get());
    if (mainFont != 0) platform::sendMessage(refitButton.handle(), controls::WM_SETFONT, mainFont, 1);
    if (settings.listFont) {
        platform::sendMessage(directionCaption.handle(), controls::WM_SETFONT,
                              reinterpret_cast<std::uintptr_t>(settings.listFont.get()), 1);
    } else if (mainFont != 0) {
        platform::sendMessage(directionCaption.handle(), controls::WM_SETFONT, mainFont, 1);
    }
    map.setFont(settings.mainFont.get());
    arrow.setFontHeight(settings.fontHeight);
    refitButton.anchor.canTakeFocus = true;
    map.anchor.canTakeFocus = true;
    infoLabel.anchor.canTakeFocus = true;
    arrow.anchor.canTakeFocus = true;
    addFocusItem(refitButton.anchor, refitButton.handle());
    addFocusItem(map.anchor, map.handle());
    addFocusItem(infoLabel.anchor, infoLabel.handle());
    addFocusItem(arrow.anchor, arrow.handle());
    return 0;
}

void cGPSNavigFormView::ShowView(int showCommand) {
    cBaseView::ShowView(showCommand);
    if (showCommand != ui::SW_HIDE) repaintChildren(handle());
}

void cGPSNavigFormView::Layout(unsigned, int width, int height) {
    place(refitButton.handle(), refitButton.anchor, width, height);
    fitButtonFont();
    place(infoLabel.handle(), infoLabel.anchor, width, height);
    place(map.handle(), map.anchor, width, height);
    place(directionCaption.handle(), directionCaption.anchor, width, height);
    const int h = context_.settings->fontHeight;
    const int staticBottom = directionCaption.anchor.computed.bottom;
    const int side = std::max(0, std::min(height - staticBottom, width - refitButton.anchor.computed.left) - h / 4 - h / 8);
    ui::moveWindow(arrow.handle(), h / 8, staticBottom + h / 8, side, side);
    showDistance(distance);
}

// The button keeps the main font while its text fits; on a narrow screen the smaller list font,
// so that the text is never cut.
void cGPSNavigFormView::fitButtonFont() {
    const AppSettings& settings = *context_.settings;
    const platform::draw::Font* font = settings.mainFont.get();
    if (font == nullptr) return;
    const int room = refitButton.anchor.computed.width() - settings.fontHeight / 2;
    if (font->measure(loadResString(kTextRefit)).width > room && settings.listFont) font = settings.listFont.get();
    if (font->measure(loadResString(kTextRefit)).width > room && settings.smallFont) font = settings.smallFont.get();
    platform::sendMessage(refitButton.handle(), controls::WM_SETFONT, reinterpret_cast<std::uintptr_t>(font), 1);
}

std::int32_t cGPSNavigFormView::tabSet() const {
    const TabServices* tab = parentTabServices(handle());
    return tab != nullptr ? tab->setIndex() : 0;
}

void cGPSNavigFormView::showStop(int view, int argument, std::int32_t stop, std::int32_t timetable) {
    returnView = view;
    returnArgument = argument;
    const std::int32_t set = tabSet();
    targetName = EngineTexts(*context_.api).getZastavkaSPoznamkami(set, timetable, static_cast<std::uint16_t>(stop));
    map.setTarget(set, timetable, stop, targetName);
    arrow.setAngle(kNoAngle);
    distance = -1;
    showDistance(distance);
    if (receiver != nullptr) receiver->start(kViewGpsNavigationId, returnView, returnArgument, handle());
}

void cGPSNavigFormView::showDistance(double metres) {
    const std::u16string markup = navigationMarkup(context_.settings->fontHeight, targetName, metres);
    infoLabel.SetText(markup);
    // A long stop name wraps: the label grows to its text and the map starts below it, so the
    // distance line is never hidden. The map keeps at least a third of its designed height.
    const Rect label = infoLabel.anchor.computed;
    const Rect designedMap = map.anchor.computed;
    const int limit = designedMap.bottom - designedMap.height() / 3;
    const int bottom = std::clamp(label.top + infoLabel.GetTextHeight(), label.bottom, std::max(label.bottom, limit));
    const Rect shown = ui::getWindowRect(infoLabel.handle());
    if (shown.height() == bottom - label.top) return;
    ui::moveWindow(infoLabel.handle(), label.left, label.top, label.width(), bottom - label.top);
    const int mapTop = std::max(designedMap.top, bottom);
    ui::moveWindow(map.handle(), designedMap.left, mapTop, designedMap.width(), designedMap.bottom - mapTop);
    infoLabel.SetText(markup);
}

MsgResult cGPSNavigFormView::OnPosition(std::uintptr_t wParam, std::intptr_t) {
    if (receiver == nullptr) return 0;
    const int heading = receiver->getHeading();
    const MapFix fix = map.update(receiver->positionOf(wParam));
    distance = fix.distance;
    arrow.setAngle(fix.distance < 0 ? kNoAngle : arrowAngle(fix.direction, heading));
    showDistance(distance);
    receiver->restartTimeout();
    return 0;
}

MsgResult cGPSNavigFormView::OnNoFix(std::uintptr_t, std::intptr_t) {
    map.clearItems();
    arrow.setAngle(kNoAngle);
    distance = -1;
    showDistance(distance);
    return 0;
}

MsgResult cGPSNavigFormView::OnStopped(std::uintptr_t, std::intptr_t) {
    platform::shell::messageBox(handle(), loadResString(kTextReceiverGone), loadResString(344),
                                platform::shell::MB_OK | platform::shell::MB_ICONWARNING);
    return 0;
}

void cGPSNavigFormView::menuOk() {
    if (receiver != nullptr) receiver->detachWindow();
    if (TabServices* tab = parentTabServices(handle())) tab->showView(returnView, -2);
}

void cGPSNavigFormView::menuRefit() {
    map.refit();
}

const ui::MessageMapBase& cGPSNavigFormView::messageMap() const {
    static const auto map = ui::MessageMap<cGPSNavigFormView>(&cBaseView::messageMap())
                                .message(ui::WM_CREATE, &cGPSNavigFormView::OnCreate)
                                .message(WM_GPS_POSITION, &cGPSNavigFormView::OnPosition)
                                .message(WM_GPS_NOFIX, &cGPSNavigFormView::OnNoFix)
                                .message(WM_GPS_STOPPED, &cGPSNavigFormView::OnStopped)
                                .command(kCommandNavigationOk, &cGPSNavigFormView::menuOk)
                                .command(platform::shell::IDOK, &cGPSNavigFormView::menuOk)
                                .command(kRefitButtonId, &cGPSNavigFormView::menuRefit);
    return map;
}

}  // namespace pelorvant
