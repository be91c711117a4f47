#include "tests/platform/ui/UiTestSupport.h"

#include "platform/ui/WindowObject.h"

#include <optional>

namespace platform::ui::testing {
namespace {

constexpr std::uint32_t kOk = 32775;
constexpr std::uint32_t kExit = 32783;
constexpr std::uint32_t kListBoxReturn = WM_USER + 0x7E2;

std::vector<std::string> gCalls;

class BaseView : public WindowObject {
public:
    ~BaseView() override { destroy(); }
    void OnBack() { gCalls.push_back("BaseView::OnBack"); }
    void menuOkClick() { gCalls.push_back("BaseView::menuOkClick"); }
    const MessageMapBase& messageMap() const override {
        static const auto map = MessageMap<BaseView>(&WindowObject::messageMap())
                                    .command(kOk, &BaseView::menuOkClick)
                                    .command(32786, &BaseView::OnBack);
        return map;
    }
};

class ResultsView : public BaseView {
public:
    ~ResultsView() override { destroy(); }
    void menuOkClick() { gCalls.push_back("ResultsView::menuOkClick"); }
    MsgResult OnListBoxReturn(std::uintptr_t, std::intptr_t) {
        gCalls.push_back("ResultsView::OnListBoxReturn");
        return 5;
    }
    void onRowChanged(const NotifyHeader& h, MsgResult& result) {
        gCalls.push_back("ResultsView::onRowChanged " + std::to_string(h.idFrom));
        result = 9;
    }
    void onQuickButton(std::uint32_t id) { gCalls.push_back("quick " + std::to_string(id)); }
    const MessageMapBase& messageMap() const override {
        static const auto map = MessageMap<ResultsView>(&BaseView::messageMap())
                                    .command(kOk, &ResultsView::menuOkClick)
                                    .commandRange(40001, 40010, &ResultsView::onQuickButton)
                                    .message(kListBoxReturn, &ResultsView::OnListBoxReturn)
                                    .notify(0x12345, 7, &ResultsView::onRowChanged);
        return map;
    }
};

class Page : public WindowObject {
public:
    ~Page() override { destroy(); }
    WindowObject* activeView = nullptr;
    bool routeCommand(std::uint32_t id, std::uint32_t code) override {
        return (activeView && activeView->routeCommand(id, code)) || handleOwnCommand(id, code);
    }
};

class Host : public WindowObject {
public:
    ~Host() override { destroy(); }
    Page* page = nullptr;
    bool routeCommand(std::uint32_t id, std::uint32_t code) override {
        return (page && page->routeCommand(id, code)) || handleOwnCommand(id, code);
    }
};

class Frame : public WindowObject {
public:
    ~Frame() override { destroy(); }
    Host host;
    void onExit() { gCalls.push_back("Frame::onExit"); }
    void menuOkClick() { gCalls.push_back("Frame::menuOkClick"); }
    bool routeCommand(std::uint32_t id, std::uint32_t code) override {
        return host.routeCommand(id, code) || handleOwnCommand(id, code);
    }
    const MessageMapBase& messageMap() const override {
        static const auto map = MessageMap<Frame>(&WindowObject::messageMap())
                                    .command(kExit, &Frame::onExit)
                                    .command(kOk, &Frame::menuOkClick);
        return map;
    }
};

CreateParams params(const std::string& cls, std::uint32_t style, WindowHandle parent,
                    std::uintptr_t id = 0) {
    CreateParams p;
    p.className = cls;
    p.style = style;
    p.rect = Rect{0, 0, 240, 300};
    p.parent = parent;
    p.id = id;
    return p;
}

class MessageMaps : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        gCalls.clear();
        ASSERT_TRUE(frame.create(params("cTabFrame", WS_VISIBLE, kNullWindow)));
        ASSERT_TRUE(
            frame.host.create(params("cTabHost", WS_CHILD | WS_VISIBLE, frame.handle(), 0xE900)));
        ASSERT_TRUE(
            page.create(params("cTabPage", WS_CHILD | WS_VISIBLE, frame.host.handle(), 0xE900)));
        ASSERT_TRUE(
            view.create(params("cVypisVysledkuView", WS_CHILD | WS_VISIBLE, page.handle(), 4026)));
        frame.host.page = &page;
        page.activeView = &view;
    }
    MsgResult command(std::uint32_t id) {
        return sendMessage(frame.handle(), WM_COMMAND, makeWParam(id, 0), 0);
    }

    Frame frame;
    Page page;
    ResultsView view;
};

TEST_F(MessageMaps, CommandsTravelFromFrameThroughHostAndPageToTheView) {
    command(kOk);
    command(32786);  // only the view's base class knows it
    command(kExit);  // nobody below the frame knows it
    page.activeView = nullptr;
    command(kOk);
    command(99);  // nobody: default handling, no call
    EXPECT_EQ(gCalls, (std::vector<std::string>{"ResultsView::menuOkClick", "BaseView::OnBack",
                                                "Frame::onExit", "Frame::menuOkClick"}));
}

TEST_F(MessageMaps, AControlsFullIdIsUsedBeyondSixteenBits) {
    // A control with an id above 16 bits reports to its parent; the id comes from the control.
    CreateParams p = params("button", WS_CHILD | WS_VISIBLE, view.handle(), 0x10000 + 40003);
    const WindowHandle button = ui::createWindow(p, defWindowProc);
    sendMessage(view.handle(), WM_COMMAND, makeWParam(40003, 0),
                static_cast<std::intptr_t>(button));
    EXPECT_TRUE(gCalls.empty());  // 0x10000 + 40003 is outside the range
    sendMessage(view.handle(), WM_COMMAND, makeWParam(40003, 0), 0);
    EXPECT_EQ(gCalls, (std::vector<std::string>{"quick 40003"}));
}

TEST_F(MessageMaps, NotifyCodesAndMessagesReachTheirHandlersWithResults) {
    NotifyHeader h{kNullWindow, 0x12345, 7};
    EXPECT_EQ(sendMessage(view.handle(), WM_NOTIFY, 0x12345, reinterpret_cast<std::intptr_t>(&h)),
              9);
    NotifyHeader other{kNullWindow, 0x12345, 8};
    EXPECT_EQ(sendMessage(view.handle(), WM_NOTIFY, 0, reinterpret_cast<std::intptr_t>(&other)), 0);
    EXPECT_EQ(sendMessage(view.handle(), kListBoxReturn), 5);
    EXPECT_EQ(gCalls, (std::vector<std::string>{"ResultsView::onRowChanged 74565",
                                                "ResultsView::OnListBoxReturn"}));
    EXPECT_EQ(WindowObject::fromHandle(view.handle()), &view);
    EXPECT_EQ(getClassName(view.handle()), "cVypisVysledkuView");
}

TEST_F(MessageMaps, ObjectsAndWindowsEndTogetherWhicheverGoesFirst) {
    const WindowHandle viewWindow = view.handle();
    ui::destroyWindow(page.handle());  // the window goes first: the object forgets it
    EXPECT_EQ(view.handle(), kNullWindow);
    EXPECT_EQ(WindowObject::fromHandle(viewWindow), nullptr);
    std::optional<ResultsView> temporary(std::in_place);
    ASSERT_TRUE(temporary->create(params("v", WS_CHILD, frame.host.handle())));
    const WindowHandle h = temporary->handle();
    EXPECT_TRUE(isUiWindow(h));
    EXPECT_FALSE(temporary->create(params("v", WS_CHILD, frame.host.handle())));
    temporary.reset();  // the object goes first: its window goes with it
    EXPECT_FALSE(isUiWindow(h));
}

TEST_F(MessageMaps, AnObjectTakesOverAWindowMadeElsewhere) {
    const WindowHandle plain =
        createWindow(params("Plain", WS_VISIBLE, kNullWindow), defWindowProc);
    ASSERT_NE(plain, kNullWindow);
    ResultsView taker;
    ASSERT_TRUE(taker.attach(plain));
    EXPECT_EQ(taker.handle(), plain);
    EXPECT_EQ(WindowObject::fromHandle(plain), &taker);
    EXPECT_EQ(sendMessage(plain, kListBoxReturn), 5);  // through the object's map now
    // Neither a second window for the object nor a second object for a window.
    EXPECT_FALSE(taker.attach(view.handle()));
    ResultsView other;
    EXPECT_FALSE(other.attach(plain));
    EXPECT_FALSE(other.attach(kNullWindow));
    // The object destroys the window it took, as one it made.
    EXPECT_TRUE(taker.destroy());
    EXPECT_FALSE(isUiWindow(plain));
    EXPECT_EQ(taker.handle(), kNullWindow);
}

}  // namespace
}  // namespace platform::ui::testing
