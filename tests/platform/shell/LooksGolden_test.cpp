// The looks a person checks by eye, against golden images in both screen sizes (real fonts):
// a form with a radio button group, an edit, a read-only edit and a multi-line edit with the
// focus, and the message box with each kind of icon, one of them with a long text that wraps.

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/draw/DeviceContext.h"
#include "platform/shell/MessageBox.h"
#include "platform/testkit/ImageCompare.h"
#include "platform/testkit/UiTestKit.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace platform::shell {
namespace {

using draw::Rect;
namespace ctl = platform::controls;

std::string golden(const std::string& name) {
    return std::string(TRASA_SOURCE_DIR) + "/tests/platform/shell/golden/" + name;
}

const char* const kProfiles[] = {"240x320", "480x640"};

// A form as the program's option pages build it; coordinates for 240 × 320, doubled on
// high-resolution screens.
WindowHandle createForm() {
    ctl::registerControlClasses();
    const int s = ui::deviceProfile().highResolution() ? 2 : 1;
    ui::CreateParams f;
    f.className = "Form";
    f.style = ui::WS_VISIBLE;
    f.rect = Rect{0, 0, ui::screenSize().width, ui::screenSize().height};
    const WindowHandle form = ui::createWindow(f, ui::defWindowProc);
    const auto add = [&](std::string_view cls, std::u16string text, std::uint32_t style, Rect r,
                         std::uintptr_t id) {
        ui::CreateParams p;
        p.className = std::string(cls);
        p.text = std::move(text);
        p.style = ui::WS_CHILD | ui::WS_VISIBLE | style;
        p.rect = Rect{r.left * s, r.top * s, r.right * s, r.bottom * s};
        p.parent = form;
        p.id = id;
        return ui::createWindow(p);
    };
    add(ctl::kStaticClass, u"Hledat podle:", ctl::SS_LEFT, Rect{4, 4, 236, 20}, 1);
    const WindowHandle departure =
        add(ctl::kButtonClass, u"Odjezdu", ctl::BS_AUTORADIOBUTTON, Rect{8, 22, 120, 40}, 2);
    add(ctl::kButtonClass, u"Příjezdu", ctl::BS_AUTORADIOBUTTON, Rect{120, 22, 236, 40}, 3);
    sendMessage(departure, ctl::BM_SETCHECK, 1);
    add(ctl::kStaticClass, u"Odkud:", ctl::SS_LEFT, Rect{4, 46, 72, 64}, 4);
    add(ctl::kEditClass, u"Praha hl.n.", ui::WS_BORDER, Rect{74, 45, 236, 65}, 5);
    add(ctl::kStaticClass, u"Verze dat:", ctl::SS_LEFT, Rect{4, 70, 72, 88}, 6);
    add(ctl::kEditClass, u"2026-12-10", ui::WS_BORDER | ctl::ES_READONLY, Rect{74, 69, 236, 89}, 7);
    add(ctl::kStaticClass, u"Kategorie záznamu v kalendáři:", ctl::SS_LEFT, Rect{4, 94, 236, 112},
        8);
    const WindowHandle notes =
        add(ctl::kEditClass, u"Cesta vlakem z Prahy do Brna a zpět, rezervace místenek\r\nvůz 5",
            ui::WS_BORDER | ctl::ES_MULTILINE, Rect{4, 114, 236, 160}, 9);
    ui::setFocus(notes);
    return form;
}

// Shows a real message box from a worker thread, copies it out of the screen, and answers it.
draw::Bitmap shotOfBox(testkit::UiTestKit& kit, WindowHandle owner, std::u16string_view text,
                       unsigned type) {
    startMessageBoxRelay();
    std::atomic<bool> answered{false};
    std::thread asker([&] {
        messageBox(owner, text, u"Pelorvant", type);
        answered = true;
    });
    for (int i = 0; i < 20000 && kit.find(u"Pelorvant") == kNullWindow; ++i) {
        kit.pump();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    kit.pump();
    const WindowHandle box = kit.find(u"Pelorvant");
    draw::Bitmap shot;
    if (box != kNullWindow) {
        const Rect r = ui::getWindowRect(box);
        shot = draw::Bitmap(r.width(), r.height());
        draw::DeviceContext dc(shot);
        dc.bitBlt(0, 0, r.width(), r.height(), kit.screenshot(), r.left, r.top);
    }
    stopMessageBoxRelay();  // releases the asker; the box itself stays until tapped
    asker.join();
    if (box != kNullWindow) {
        kit.tap(ui::getChildren(box).front());
    }
    EXPECT_TRUE(answered.load());
    return shot;
}

TEST(LooksGolden, RadioGroupEditAndReadOnlyEdit) {
    for (const char* profile : kProfiles) {
        testkit::UiTestKit kit(profile, testkit::Text::Real);
        createForm();
        kit.pump();
        std::string report;
        const std::string file = std::string("form_") + profile + ".png";
        EXPECT_TRUE(testkit::matchesGolden(kit.screenshot(), golden(file), 48, 400, &report))
            << file << ": " << report;
    }
}

TEST(LooksGolden, MessageBoxesWithEachIconOneAboveTheOther) {
    struct Box {
        std::u16string text;
        unsigned type;
    };
    const std::vector<Box> boxes = {
        {u"Jízdní řád pro zvolený den není k dispozici. Stáhněte prosím novou verzi dat, nebo "
         u"zvolte jiné datum odjezdu.",
         MB_OK | MB_ICONERROR},
        {u"Data byla úspěšně stažena.", MB_OK | MB_ICONINFORMATION},
        {u"Smazat oblíbené spojení?", MB_YESNO | MB_ICONQUESTION},
        {u"Baterie je téměř vybitá.", MB_OK | MB_ICONWARNING},
    };
    for (const char* profile : kProfiles) {
        testkit::UiTestKit kit(profile, testkit::Text::Real);
        const WindowHandle owner = createForm();
        kit.pump();
        std::vector<draw::Bitmap> shots;
        int height = 0;
        for (const Box& b : boxes) {
            shots.push_back(shotOfBox(kit, owner, b.text, b.type));
            ASSERT_FALSE(shots.back().empty());
            height += shots.back().height();
        }
        // The long text wrapped: its box is the tallest.
        EXPECT_GT(shots[0].height(), shots[1].height() + 2 * ui::systemMetrics().borderWidth);
        draw::Bitmap sheet(shots[0].width(), height);
        draw::DeviceContext dc(sheet);
        int y = 0;
        for (const draw::Bitmap& shot : shots) {
            dc.bitBlt(0, y, shot.width(), shot.height(), shot, 0, 0);
            y += shot.height();
        }
        std::string report;
        const std::string file = std::string("messagebox_") + profile + ".png";
        EXPECT_TRUE(testkit::matchesGolden(sheet, golden(file), 48, 400, &report))
            << file << ": " << report;
    }
}

}  // namespace
}  // namespace platform::shell
