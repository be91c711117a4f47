// The entry fields on one screen: two object text boxes (the first standing for the GPS
// position, the second with suggestions open for "na"), the date and time field and a choice
// box. The names come from a short list of the demo's own, searched by prefix, so the screen
// needs no timetable.

#include "tools/shelldemo/ShellDemoScreen.h"

#include "app/core/Cp1250.h"
#include "app/core/TextConversion.h"
#include "app/shell/BaseView.h"
#include "app/shell/ChoiceBox.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"
#include "app/shell/SpinField.h"
#include "app/shell/TextBox.h"

#include "platform/core/MessageLoop.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/UiMessages.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>
#include <cstring>

namespace shelldemo {
namespace {

using namespace pelorvant;
namespace ui = platform::ui;

struct DemoName {
    const char16_t* name;
    int kind;  // 0 stops, 1 towns
};

constexpr DemoName kNames[] = {{u"Náměstí Míru", 0}, {u"Nádraží", 0},   {u"Nová Ves", 1},
                               {u"Na Veselí", 0},    {u"Nemocnice", 0}, {u"Masarykova", 0},
                               {u"Malá Strana", 0},  {u"Obora", 0}};

std::string folded(std::u16string_view text) {
    std::string bytes = toNarrowString(text);
    for (char& c : bytes)
        c = static_cast<char>(cp1250Strip(cp1250Lower(static_cast<std::uint8_t>(c))));
    return bytes;
}

// Prefix search over the list; the first match counts as history, the second as a favourite.
class DemoNames final : public ObjectNames {
public:
    std::int32_t searchText(std::int32_t, std::string_view typed, std::int32_t, TrasaPlace* slots,
                            SuggestionCounts& counts) override {
        auto* out = reinterpret_cast<cTextBoxKategorieElement*>(slots);
        int n = 0;
        for (int i = 0; i < static_cast<int>(std::size(kNames)); ++i) {
            if (folded(kNames[i].name).rfind(std::string(typed), 0) == 0) {
                out[n].clear();
                out[n].Add(0, kNames[i].kind, i);
                ++n;
            }
        }
        counts = {n, n > 2 ? 1 : 0, n > 2 ? 1 : 0};
        return 0;
    }
    // Keys 2 to 9 by the first letters; key -1 takes the last key back.
    std::int32_t searchKey(std::int32_t, std::int32_t key, std::int32_t, bool, T9State& state,
                           std::int32_t, TrasaPlace* slots, SuggestionCounts& counts) override {
        if (key == -1) {
            state.typedLength = std::max(state.typedLength - 1, 0);
        } else if (state.typedLength < 29) {
            state.digits[state.typedLength++] = static_cast<char>('0' + key);
        }
        auto* out = reinterpret_cast<cTextBoxKategorieElement*>(slots);
        int n = 0;
        for (int i = 0; i < static_cast<int>(std::size(kNames)); ++i) {
            const std::string name = folded(kNames[i].name);
            bool match = static_cast<int>(name.size()) >= state.typedLength;
            for (int k = 0; match && k < state.typedLength; ++k)
                match = keyOf(name[static_cast<std::size_t>(k)]) == state.digits[k];
            if (match) {
                out[n].clear();
                out[n].Add(0, kNames[i].kind, i);
                ++n;
            }
        }
        counts = {n, 0, 0};
        return 0;
    }
    static char keyOf(char c) {
        static constexpr std::string_view kKeys = "22233344455566677778889999";
        return c >= 'a' && c <= 'z' ? kKeys[static_cast<std::size_t>(c - 'a')] : '1';
    }
    std::u16string elementName(const TrasaTriple& t) override { return kNames[t.element].name; }
    std::u16string kindName(const TrasaTriple& t) override {
        return t.kind == 0 ? u"zastávky" : u"obce";
    }
    std::int32_t favouriteGet(TrasaPlace*) override { return 0; }
    std::int32_t favouriteAdd(const TrasaPlace&) override { return 0; }
    std::int32_t favouriteDelete(const TrasaPlace&) override { return 0; }
    std::int32_t categoryFilter() override { return -1; }
};

class FieldsScreen : public DemoScreen, public cBaseView {
public:
    FieldsScreen()
        : from_(0, platform::kNullWindow, true, names_),
          to_(2, platform::kNullWindow, false, names_),
          when_(3, true),
          kind_(4, 4028) {
        const auto size = ui::screenSize();
        ui::CreateParams p = shellCreateParams(ui::WS_VISIBLE, Rect{0, 0, size.width, size.height},
                                               platform::kNullWindow, 0);
        p.text = u"FieldsDemo";
        frame_ = ui::createWindow(p, ui::defWindowProc);
        createView(frame_, ui::getClientRect(frame_), 1, true);
        const int w = size.width;
        const int fh = shellSettings().fontHeight();
        const int rowHeight = fh * 3 / 2 + 4;
        const int margin = fh / 2;
        int y = margin;
        kind_.createChoice(handle(), Rect::fromSize(margin, y, w - 2 * margin, rowHeight), 20);
        for (const char16_t* item : {u"Vlaky a autobusy", u"Jen vlaky", u"Jen autobusy"}) {
            kind_.items().push_back(item);
        }
        kind_.fillComboBox();
        kind_.SetCurSel(0);
        kind_.Layout();
        y += rowHeight + margin;
        when_.createSpin(handle(), Rect::fromSize(margin, y, w - 2 * margin, rowHeight), 21);
        y += rowHeight + margin;
        from_.createBox(handle(), Rect::fromSize(margin, y, w - 2 * margin, rowHeight), 22);
        from_.SetText(u"", true);
        y += rowHeight + margin;
        to_.listHeight = cTextBoxList::rowHeight() * 5 + 2;
        to_.createBox(handle(), Rect::fromSize(margin, y, w - 2 * margin, rowHeight), 23);
        ui::setFocus(to_.handle());
        // "na" typed: as characters into the edit, or as the keys 6 and 2 on the keypad.
        for (char16_t c : std::u16string_view(u"na")) {
            if (shellSettings().isNotSmartphone()) {
                platform::sendMessage(ui::getFocus(), ui::WM_CHAR, c, 0);
            } else {
                platform::sendMessage(ui::getFocus(), ui::WM_KEYDOWN, c == u'n' ? '6' : '2', 0);
            }
        }
    }
    ~FieldsScreen() override { ui::destroyWindow(frame_); }
    platform::WindowHandle window() const override { return frame_; }

private:
    DemoNames names_;
    platform::WindowHandle frame_ = platform::kNullWindow;
    cTextBox from_;
    cTextBox to_;
    cSpinField when_;
    cChoiceBox kind_;
};

}  // namespace

std::unique_ptr<DemoScreen> createFieldsScreen() {
    return std::make_unique<FieldsScreen>();
}

}  // namespace shelldemo
