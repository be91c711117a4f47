#include "tools/shelldemo/ShellDemoScreen.h"

#include "app/shell/BackKeyEdit.h"
#include "app/shell/BaseView.h"
#include "app/shell/HintWindow.h"
#include "app/shell/ImageButton.h"
#include "app/shell/ImageLabel.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/ImageNameRegistry.h"
#include "app/shell/ImageStrip.h"
#include "app/shell/PictureBox.h"
#include "app/shell/ReportList.h"
#include "app/shell/ShellSettings.h"
#include "app/shell/ShellWindowClass.h"
#include "app/shell/ViewSwitcher.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/ListView.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/MenuTemplate.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MenuFromTemplate.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <string>

namespace shelldemo {

namespace ui = platform::ui;
using namespace pelorvant;

namespace {

std::u16string number(int n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string richDemoText() {
    const int normal = shellSettings().fontHeight();
    return u"<*b*>Spojení Praha – Brno<*b*>\r"
           u"#*infoC*#odjezd 7:45 z nástupiště 3\r"
           u"\tpřestup v Pardubicích,<*i*>5 minut<*i*>\r"
           u"<*u*>Jízdenku<*u*>lze koupit ve vlaku.#*sipka*#\r<*" +
           number(normal * 5 / 4) + u"*>Velké písmo<*" + number(normal) + u"*>a zase běžné.";
}

namespace {

// The screen area above the menu bar.
Rect screenArea() {
    const auto size = ui::screenSize();
    return Rect{0, 0, size.width, size.height - ui::systemMetrics().captionHeight};
}

platform::WindowHandle topLevel(std::u16string_view title) {
    ui::CreateParams p = shellCreateParams(ui::WS_VISIBLE, screenArea(), platform::kNullWindow, 0);
    p.text = std::u16string(title);
    return ui::createWindow(p, ui::defWindowProc);
}

void addMenuBar(platform::WindowHandle owner, std::uint32_t menuId) {
    if (const auto* source = platform::resources::findMenuTemplate(menuId)) {
        platform::shell::createMenuBar(owner, platform::shell::menuFromTemplate(*source));
    }
}

// Every building block on one view, placed by layout anchors.
class BlocksScreen : public DemoScreen, public cBaseView {
public:
    BlocksScreen()
        : cBaseView(true, true, true),
          label_(true),
          picture_(u"logo"),
          strip_(u"tab_add_up", u"tab_add_down", u"tab_add_down_focused", false, 1),
          button_(2),
          edit_(1),
          list_(0) {
        frame_ = topLevel(u"ShellDemo");
        const Rect area = ui::getClientRect(frame_);
        createView(frame_, area, 1, true);
        const int w = area.width();
        const int h = area.height();
        const int fh = shellSettings().fontHeight();

        label_.anchor = LayoutAnchor({2, 1, 98, 44});
        label_.createList(handle(), label_.anchor.place(0, 0, w, h), 10);
        label_.SetText(richDemoText());

        picture_.anchor = LayoutAnchor({2, 46, 50, 54});
        picture_.createBox(handle(), picture_.anchor.place(0, 0, w, h), 11);

        strip_.anchor = LayoutAnchor({0, 0, 10, 0});
        strip_.anchor.fixedHeight = fh + fh / 2;
        strip_.anchor.portraitMode = {kAnchorRightOfCentred, fh / 2};
        strip_.anchor.portraitReference = &picture_.anchor;
        strip_.createStrip(handle(), fixSquare(strip_.anchor.place(0, 0, w, h)), 12);

        edit_.anchor = LayoutAnchor({2, 57, 62, 0});
        edit_.anchor.fixedHeight = fh + fh / 2;
        edit_.createEdit(handle(), edit_.anchor.place(0, 0, w, h), 13, u"Praha hl.n.");
        edit_.anchor.canTakeFocus = true;
        edit_.anchor.focusOrder = 1;
        addFocusItem(edit_.anchor, edit_.handle());

        button_.anchor = LayoutAnchor({0, 0, 32, 0});
        button_.anchor.fixedHeight = fh + fh / 2;
        button_.anchor.portraitMode = {kAnchorRightOfCentred, w / 50};
        button_.anchor.portraitReference = &edit_.anchor;
        button_.createButton(handle(), u"Hledat", button_.anchor.place(0, 0, w, h), 14);
        button_.anchor.canTakeFocus = true;
        button_.anchor.focusOrder = 2;
        addFocusItem(button_.anchor, button_.handle());

        list_.anchor = LayoutAnchor({2, 76, 98, 99});
        list_.createReport(handle(), list_.anchor.place(0, 0, w, h), 15,
                           platform::controls::LVS_NOCOLUMNHEADER);
        platform::controls::ListColumn column;
        column.text = u"rad";
        column.width = list_.anchor.computed.width() - fh;
        platform::sendMessage(list_.handle(), platform::controls::LVM_INSERTCOLUMN, 0,
                              reinterpret_cast<std::intptr_t>(&column));
        platform::sendMessage(list_.handle(), platform::controls::LVM_SETEXTENDEDLISTVIEWSTYLE,
                              platform::controls::LVS_EX_CHECKBOXES,
                              platform::controls::LVS_EX_CHECKBOXES);
        const char16_t* rows[] = {u"Vlaky", u"Autobusy", u"MHD", u"Lodě"};
        for (int i = 0; i < 4; ++i) {
            list_.AddItem(i, rows[i]);
        }
        list_.SelectItem(0);

        hint_.createHint(handle());
        hint_.displayTime = 600000;
        hint_.ShowHintForControl(edit_.handle(), u"Zadejte<*b*>výchozí<*b*>zastávku", 600000, 0,
                                 0, 0, 0, true);
        hint_.ShowHint(true);
        addMenuBar(frame_, kMessageTextMenu);
    }
    ~BlocksScreen() override {
        destroy();
        ui::destroyWindow(frame_);
    }
    platform::WindowHandle window() const override { return frame_; }

private:
    // The strip's pictures are square.
    static Rect fixSquare(Rect r) {
        r.right = r.left + r.height();
        return r;
    }

    platform::WindowHandle frame_ = platform::kNullWindow;
    ImageLabel label_;
    cPictureBox picture_;
    cImageStrip strip_;
    cImageButton button_;
    cBackKeyEdit edit_;
    cReportList list_;
    cHintWindow hint_;
};

// A tab page with only the message-box view: it shows the view asked for.
class MessageScreen : public DemoScreen, public platform::ui::WindowObject, public ViewSwitcher {
public:
    explicit MessageScreen(bool list) {
        frame_ = topLevel(u"ShellDemo");
        create(shellCreateParams(ui::WS_CHILD | ui::WS_VISIBLE, ui::getClientRect(frame_), frame_, 1));
        view_.createMessageView(handle(), ui::getClientRect(handle()));
        const Rect client = ui::getClientRect(view_.handle());
        view_.Layout(0, client.width(), client.height());
        if (list) {
            view_.showList({u"Praha hl.n.", u"Praha-Holešovice", u"Praha-Smíchov", u"Praha-Libeň",
                            u"Praha-Vysočany", u"Praha-Vršovice"},
                           4028, -1, handle(), 2);
        } else {
            std::u16string text = richDemoText();
            for (int i = 0; i < 3; ++i) {
                text += u"\r\rDalší odstavec textu, který se zalomí do několika řádků a ukáže, "
                        u"jak se dlouhý text posouvá.";
            }
            view_.showText(text, 4028, -1, true);
        }
    }
    ~MessageScreen() override {
        destroy();
        ui::destroyWindow(frame_);
    }
    platform::WindowHandle window() const override { return frame_; }
    void showView(int viewId, int menuId) override {
        ui::showWindow(view_.handle(), viewId == kImageMessageBoxViewId ? ui::SW_SHOW : ui::SW_HIDE);
        platform::shell::closeMenuPopups();
        const std::uint32_t menu = menuId == kOwnMenu ? kMessageTextMenu : static_cast<std::uint32_t>(menuId);
        if (viewId == kImageMessageBoxViewId) {
            const platform::WindowHandle bar = platform::shell::findMenuBar(frame_);
            if (bar != platform::kNullWindow) {
                if (const auto* source = platform::resources::findMenuTemplate(menu)) {
                    platform::shell::setMenuBarMenu(bar, platform::shell::menuFromTemplate(*source));
                }
            } else {
                addMenuBar(frame_, menu);
            }
        }
    }

private:
    platform::WindowHandle frame_ = platform::kNullWindow;
    cImageMessageBoxView view_;
};

}  // namespace

std::unique_ptr<DemoScreen> createDemoScreen(std::string_view name) {
    registerImageNames();
    if (name.empty() || name == "blocks") {
        return std::make_unique<BlocksScreen>();
    }
    if (name == "message") {
        return std::make_unique<MessageScreen>(false);
    }
    if (name == "list") {
        return std::make_unique<MessageScreen>(true);
    }
    if (name == "fields") {
        return createFieldsScreen();
    }
    return nullptr;
}

}  // namespace shelldemo
