#include "app/screens/options/OptionsBasicPage.h"

#include "app/core/CountryTables.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/ShellSettings.h"

#include "platform/controls/ControlMessages.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

std::vector<std::u16string> yesNo() {
    return {loadResString(350), loadResString(351)};
}

}  // namespace

cOptionsBasicPage::cOptionsBasicPage(AppSettings& settings, int ownerViewId)
    : language(0, ownerViewId, loadResString(277), 0, {7, 60}),
      tabs(1, ownerViewId, loadResString(189), 1),
      font(2, ownerViewId, loadResString(200), 2),
      gsm(3, ownerViewId, loadResString(190), 3),
      finger(4, ownerViewId, u"Přizpůsobení pro ovládání prsty:", -1),
      gps(5, ownerViewId, u"Je přítomný GPS modul:", -1),
      standardQwerty(3, ownerViewId, loadResString(192), -1),
      landscapeQwerty(4, ownerViewId, loadResString(193), -1),
      settings_(settings) {}

std::vector<cOptionsChoiceRow*> cOptionsBasicPage::shownRows() {
    if (settings_.isNotSmartphone)
        return {&language, &tabs, &font, &gsm, &finger, &gps};
    return {&language, &tabs, &font, &standardQwerty, &landscapeQwerty};
}

MsgResult cOptionsBasicPage::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    cOptionsPage::OnCreate(wParam, lParam);
    for (cOptionsChoiceRow* row : shownRows()) {
        row->create(*this, row == &font ? kFontChoiceId : kOptionsChoiceId, help_.view,
                    help_.listMenu);
    }
    std::vector<std::u16string> languages;
    for (int i = 0; i < 2; ++i)
        languages.emplace_back(languageName(i));
    language.setItems(languages);
    for (cOptionsChoiceRow* row : {&tabs, &gsm, &finger, &gps, &standardQwerty, &landscapeQwerty}) {
        row->setItems(yesNo());
    }
    std::vector<std::u16string> heights;
    for (std::int32_t h : fontHeights(settings_.defaultFontHeight, settings_.highResolution)) {
        heights.push_back(decimalText(h));
    }
    font.setItems(heights);
    fontSample.createStatic(handle(), loadResString(262), Rect{0, 0, 10, 10}, 0);
    ui::setStyle(fontSample.handle(), ui::getStyle(fontSample.handle()) | ui::WS_BORDER);
    return 0;
}

void cOptionsBasicPage::Layout(unsigned, int, int) {
    UpdateScrollLayout();
    const int fh = shellSettings().fontHeight();
    const auto rows = shownRows();
    SetContentHeight(rows.back()->choice.anchor.computed.bottom + 2 * fh);
    UpdateScrollLayout();
}

void cOptionsBasicPage::UpdateScrollLayout() {
    const int width = usableWidth();
    const int fh = shellSettings().fontHeight();
    const int offset = scrollOffset();
    int y = fh / 4;
    for (cOptionsChoiceRow* row : shownRows()) {
        const int bottom = row->place(y, width, offset);
        y = bottom + fh;
        if (row == &font) {
            // The sample lies right of the font choice, as tall as the largest offered font.
            const bool touch = settings_.isNotSmartphone;
            const int left = width * (touch ? 43 : 55) / 100;
            const int right = width * (touch ? 78 : 90) / 100;
            const int top = font.choice.anchor.computed.top;
            const int height =
                std::max(bottom - top,
                         fontHeights(settings_.defaultFontHeight, settings_.highResolution)[6] + 4);
            ui::moveWindow(fontSample.handle(), left, top - offset, right - left, height);
            y = top + height + fh;
        }
    }
    ui::invalidateRect(handle());
}

void cOptionsBasicPage::previewFontRow(int row) {
    const auto heights = fontHeights(settings_.defaultFontHeight, settings_.highResolution);
    chosenHeight_ = heights[static_cast<std::size_t>(std::clamp(row, 0, 6))];
    settings_.createPreviewFont(chosenHeight_);
    platform::sendMessage(fontSample.handle(), controls::WM_SETFONT,
                          reinterpret_cast<std::uintptr_t>(settings_.previewFont.get()), 1);
    ui::invalidateRect(fontSample.handle());
}

void cOptionsBasicPage::setFontHeight(std::int32_t height) {
    const int row = fontRowForHeight(height, settings_.defaultFontHeight, settings_.highResolution);
    font.select(row);
    previewFontRow(row);
}

void cOptionsBasicPage::loadValues(const OptionsValues& v, bool wizard) {
    setFontHeight(v.fontHeight);
    tabs.select(yesNoRow(v.showTabs));
    language.showIndex(v.language);
    if (settings_.isNotSmartphone) {
        gsm.select(yesNoRow(v.isGSM));
        // The wizard neither loads nor saves these two: they show what the program uses now.
        finger.select(yesNoRow(wizard ? settings_.touchfriendly : v.touchfriendly));
        gps.select(yesNoRow(wizard ? settings_.isgps : v.isgps));
    } else {
        standardQwerty.select(yesNoRow(v.isStandardQwerty));
        landscapeQwerty.select(yesNoRow(v.isLandscapeQwerty));
    }
}

void cOptionsBasicPage::storeValues(OptionsValues& v, bool wizard) const {
    v.fontHeight = chosenHeight_;
    v.showTabs = yesFromRow(tabs.selected());
    v.language = language.index();
    if (settings_.isNotSmartphone) {
        v.isGSM = yesFromRow(gsm.selected());
        if (!wizard) {
            v.touchfriendly = yesFromRow(finger.selected());
            v.isgps = yesFromRow(gps.selected());
        }
    } else {
        v.isStandardQwerty = yesFromRow(standardQwerty.selected());
        v.isLandscapeQwerty = yesFromRow(landscapeQwerty.selected());
    }
}

void cOptionsBasicPage::OnFontChange() {
    previewFontRow(font.selected());
}

MsgResult cOptionsBasicPage::OnChoiceChanged(std::uintptr_t id, std::intptr_t) {
    if (id == kFontChoiceId)
        OnFontChange();
    return 0;
}

MsgResult cOptionsBasicPage::OnHelp(std::uintptr_t code, std::intptr_t) {
    static constexpr std::uint32_t kTexts[] = {304, 163, 197, 164};
    cOptionsChoiceRow* rows[] = {&language, &tabs, &font, &gsm};
    if (code < std::size(kTexts))
        showHelp(loadResString(kTexts[code]), rows[code]->focusWindow());
    return 0;
}

void cOptionsBasicPage::OnSetFocus() {
    ui::setFocus(language.focusWindow());
}

const ui::MessageMapBase& cOptionsBasicPage::messageMap() const {
    static const auto map =
        ui::MessageMap<cOptionsBasicPage>(&cOptionsPage::messageMap())
            .message(ui::WM_CREATE, &cOptionsBasicPage::OnCreate)
            .message(WM_CHOICE_CHANGED, &cOptionsBasicPage::OnChoiceChanged)
            .message(WM_IMAGEBUTTON_CLICK, &cOptionsBasicPage::OnHelp)
            .message(ui::WM_SETFOCUS, &cOptionsBasicPage::OnSetFocus)
            .command(kFontChoiceId, &cOptionsBasicPage::OnFontChange, controls::CBN_SELCHANGE);
    return map;
}

}  // namespace pelorvant
