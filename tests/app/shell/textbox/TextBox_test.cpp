// The object text box on the sample network: typing finds names, keypad keys run the T9
// search, the list shows history, favourites and the rest in their colours, rows are chosen
// with keys and taps, the "X" button clears, tap-and-hold adds and removes favourites, and an
// empty box with the GPS flag shows the GPS placeholder.

#include "SampleNetwork.h"

#include "../ViewHost.h"
#include "app/core/PrivateMessages.h"
#include "app/shell/FieldLook.h"
#include "app/shell/TextBox.h"

#include "platform/core/MessageLoop.h"
#include "platform/core/MessageSources.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MenuBar.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Input.h"
#include "platform/ui/VirtualKeys.h"
#include "platform/ui/WindowTree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pelorvant {
namespace {

namespace ui = platform::ui;
using platform::draw::Point;

const std::u16string kNamestiMiru = u"N\u00e1m\u011bst\u00ed M\u00edru";

class TextBoxTest : public ::testing::Test {
protected:
    explicit TextBoxTest(const char* profile = "240x320", bool gps = false)
        : kit(profile), box(0, platform::kNullWindow, gps, network.names()) {}
    void SetUp() override {
        ASSERT_TRUE(network.ok());
        platform::shell::setMessageBoxAnswerer([this](const platform::shell::MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return 1;
        });
        ASSERT_TRUE(box.createBox(host.window(), Rect::fromSize(5, 30, 230, 26), 1001));
        box.listHeight = 150;
        box.Layout();
        ui::setFocus(box.handle());
        kit.pump();
    }
    void TearDown() override {
        platform::shell::setMessageBoxAnswerer({});
        platform::setIdleWait({});
    }
    std::u16string chosenName() {
        return box.chosen.count > 0 ? box.chosen.GetName(0, network.names()) : std::u16string();
    }
    // The list row's screen point.
    Point rowPoint(int row) {
        const Rect r = ui::getWindowRect(box.list.handle());
        return {r.left + 20,
                r.top + row * cTextBoxList::rowHeight() + cTextBoxList::rowHeight() / 2};
    }
    int pixelsOfColour(int row, platform::draw::Color colour) {
        const auto& shot = kit.screenshot();
        const Rect r = ui::getWindowRect(box.list.handle());
        int n = 0;
        const int h = cTextBoxList::rowHeight();
        for (int y = r.top + row * h; y < r.top + (row + 1) * h; ++y) {
            for (int x = r.left; x < r.right; ++x)
                n += shot.pixel(x, y) == colour ? 1 : 0;
        }
        return n;
    }

    testing::SampleNetwork network;
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    cTextBox box;
    std::vector<std::u16string> boxes;
};

TEST_F(TextBoxTest, TypingNamMirFindsNamestiMiru) {
    kit.type(u"nam mir");
    EXPECT_EQ(chosenName(), kNamestiMiru);
    EXPECT_EQ(box.editText(), kNamestiMiru);
    EXPECT_FALSE(box.listShown());
    EXPECT_TRUE(boxes.empty());
    // The completed name stays while further characters arrive.
    kit.type(u"x");
    EXPECT_EQ(box.editText(), kNamestiMiru);
}

TEST_F(TextBoxTest, TypingAFewLettersShowsSuggestions) {
    kit.type(u"n");
    ASSERT_TRUE(box.listShown());
    EXPECT_GT(box.list.rowCount(), 1);
    EXPECT_LE(box.list.rowCount(), kSuggestionSlots);
    EXPECT_EQ(box.chosen.count, 0);
    EXPECT_EQ(box.text, u"n");
}

TEST_F(TextBoxTest, HistoryFirstThenFavouritesThenTheRestInTheirColours) {
    kit.type(u"n");
    ASSERT_GE(box.candidateCount, 4);
    const cTextBoxKategorieElement historic = box.slots[2];
    const cTextBoxKategorieElement favourite = box.slots[3];
    const std::u16string historicName = historic.GetName(0, network.names());
    const std::u16string favouriteName = favourite.GetName(0, network.names());
    network.data().HistoryAdd(network.set(), *historic.place());
    ASSERT_EQ(network.data().FavouriteAdd(network.set(), *favourite.place()), 0);

    kit.tap(box.clearButton);
    kit.type(u"n");
    ASSERT_TRUE(box.listShown());
    EXPECT_EQ(box.list.historyCount, 1);
    EXPECT_EQ(box.list.favouritesCount, 1);
    EXPECT_EQ(box.list.rowName(0), historicName);
    EXPECT_EQ(box.list.rowName(1), favouriteName);
    // Nothing is selected while the list has no focus: the rows show their own colours.
    EXPECT_GT(pixelsOfColour(0, kHistoryColor), 0);
    EXPECT_EQ(pixelsOfColour(0, kFavouriteColor), 0);
    EXPECT_GT(pixelsOfColour(1, kFavouriteColor), 0);
    EXPECT_EQ(pixelsOfColour(2, kHistoryColor) + pixelsOfColour(2, kFavouriteColor), 0);
    EXPECT_GT(pixelsOfColour(2, kSecondaryTextColor), 0);  // the kind in grey
}

TEST_F(TextBoxTest, ChoosingARowWithKeys) {
    kit.type(u"n");
    ASSERT_GE(box.list.rowCount(), 2);
    const std::u16string second = box.list.rowName(1);
    kit.key(ui::VK_DOWN);
    EXPECT_EQ(ui::getFocus(), box.list.handle());
    EXPECT_EQ(box.list.selected, 0);
    kit.key(ui::VK_DOWN);
    EXPECT_EQ(box.list.selected, 1);
    kit.key(ui::VK_RETURN);
    EXPECT_EQ(chosenName(), second);
    EXPECT_EQ(box.editText(), second);
    EXPECT_FALSE(box.listShown());
    EXPECT_EQ(ui::getFocus(), box.edit.handle());
}

TEST_F(TextBoxTest, ChoosingARowWithATap) {
    kit.type(u"n");
    ASSERT_GE(box.list.rowCount(), 3);
    const std::u16string third = box.list.rowName(2);
    kit.tap(rowPoint(2));
    EXPECT_EQ(chosenName(), third);
    EXPECT_FALSE(box.listShown());
}

TEST_F(TextBoxTest, TheXButtonClearsTheBox) {
    kit.type(u"nam mir");
    ASSERT_EQ(chosenName(), kNamestiMiru);
    kit.tap(box.clearButton);
    EXPECT_EQ(box.chosen.count, 0);
    EXPECT_EQ(box.editText(), u"");
    EXPECT_EQ(box.selection, -1);
    EXPECT_EQ(ui::getFocus(), box.edit.handle());
}

// An emptied box takes the next single match again, also the same name pasted at once.
TEST_F(TextBoxTest, AnEmptiedBoxChoosesTheSingleMatchAgain) {
    kit.type(u"nam mir");
    ASSERT_EQ(chosenName(), kNamestiMiru);
    kit.tap(box.clearButton);
    ASSERT_EQ(box.chosen.count, 0);
    ui::setWindowText(box.edit.handle(), u"nam mir");
    kit.pump();
    EXPECT_EQ(chosenName(), kNamestiMiru);
    EXPECT_FALSE(box.listShown());
}

TEST_F(TextBoxTest, EnterShowsTheFavouritesWithTheAddRow) {
    kit.type(u"nam mir");
    kit.key(ui::VK_RETURN);
    ASSERT_TRUE(box.listShown());
    EXPECT_TRUE(box.list.favouritesMode);
    ASSERT_EQ(box.list.rowCount(), 1);  // no favourites yet: only the add row
    EXPECT_EQ(box.list.rowName(0), platform::resources::loadResString(kTextAddFavouriteRow));
    kit.tap(rowPoint(0));
    std::vector<cTextBoxKategorieElement> stored(kFavouriteSlots);
    EXPECT_EQ(network.names().favouriteGet(stored[0].place()), 1);
    EXPECT_EQ(stored[0].GetName(0, network.names()), kNamestiMiru);
}

TEST_F(TextBoxTest, TapAndHoldAddsAndRemovesTheFavourite) {
    kit.type(u"nam mir");
    ASSERT_EQ(chosenName(), kNamestiMiru);
    const Rect edit = ui::getWindowRect(box.edit.handle());
    const Point at{edit.left + 10, edit.top + edit.height() / 2};
    // Holds the finger until the menu opens, lifts it, then taps the item in `row`.
    auto holdAndChoose = [&](int row) {
        int phase = 0;
        Rect popup;
        platform::setIdleWait([&](std::uint32_t) {
            kit.clock().advance(1);
            if (platform::shell::openMenuPopups().empty())
                return;
            if (phase == 0) {
                popup = ui::getWindowRect(platform::shell::openMenuPopups().front());
                ui::fingerUp(at);
                phase = 1;
            } else if (phase == 1) {
                const int rowHeight = (popup.height() - 2) / 2;
                const Point item{popup.left + 20, popup.top + 1 + row * rowHeight + rowHeight / 2};
                ui::fingerDown(item);
                ui::fingerUp(item);
                phase = 2;
            }
        });
        kit.press(at);
        kit.pump();
        platform::setIdleWait({});
        if (ui::fingerIsDown())
            kit.release(at);
    };
    std::vector<cTextBoxKategorieElement> stored(kFavouriteSlots);
    holdAndChoose(0);
    ASSERT_EQ(network.names().favouriteGet(stored[0].place()), 1);
    EXPECT_EQ(stored[0].GetName(0, network.names()), kNamestiMiru);
    holdAndChoose(1);
    EXPECT_EQ(network.names().favouriteGet(stored[0].place()), 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(TextBoxTest, FavouriteCommandsWithoutAChoiceExplain) {
    EXPECT_FALSE(box.addToFavourites());
    box.removeFromFavourites();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], platform::resources::loadResString(kTextNothingToAdd));
    EXPECT_EQ(boxes[1], platform::resources::loadResString(kTextNothingToRemove));
}

// The T9 key of a character: 2 to 9 by letter, without diacritics, lower-cased.
int t9Key(char16_t c) {
    static const std::u16string_view keys[] = {u"abc\u00e1\u010d",
                                               u"def\u010f\u00e9\u011b",
                                               u"ghi\u00ed",
                                               u"jkl",
                                               u"mno\u0148\u00f3",
                                               u"pqrs\u0159\u0161",
                                               u"tuv\u0165\u00fa\u016f",
                                               u"wxyz\u00fd\u017e"};
    const char16_t lower = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    for (int k = 0; k < 8; ++k) {
        if (keys[k].find(lower) != std::u16string_view::npos)
            return k + 2;
    }
    const std::u16string upper =
        u"\u00c1\u010c\u010e\u00c9\u011a\u00cd\u0147\u00d3\u0158\u0160\u0164\u00da\u016e\u00dd"
        u"\u017d";
    const std::u16string lowered =
        u"\u00e1\u010d\u010f\u00e9\u011b\u00ed\u0148\u00f3\u0159\u0161\u0165\u00fa\u016f\u00fd"
        u"\u017e";
    const auto at = upper.find(c);
    return at == std::u16string::npos ? 1 : t9Key(lowered[at]);
}

class KeypadTextBoxTest : public TextBoxTest {
protected:
    KeypadTextBoxTest() : TextBoxTest("240x320-keypad") {}
};

TEST_F(KeypadTextBoxTest, DigitKeysRunTheT9Search) {
    EXPECT_FALSE(box.editMode);
    EXPECT_EQ(box.clearButton, platform::kNullWindow);
    EXPECT_EQ(ui::getFocus(), box.display.handle());
    kit.key(ui::VK_0 + 6);
    kit.key(ui::VK_0 + 2);
    kit.key(ui::VK_0 + 6);
    ASSERT_GE(box.candidateCount, 1);
    EXPECT_EQ(box.t9.typedLength, 3);
    // Candidate 0 is shown; its first three letters lie on the keys 6, 2, 6.
    ASSERT_GE(box.text.size(), 3u);
    EXPECT_EQ(t9Key(box.text[0]), 6);
    EXPECT_EQ(t9Key(box.text[1]), 2);
    EXPECT_EQ(t9Key(box.text[2]), 6);
    EXPECT_EQ(chosenName(), box.text);
    if (box.candidateCount > 1) {
        EXPECT_TRUE(box.listShown());
        EXPECT_EQ(box.display.selectionEnd, 3);
    }
    kit.key(ui::VK_BACK);
    EXPECT_EQ(box.t9.typedLength, 2);
}

TEST_F(KeypadTextBoxTest, TheOnlyFittingNameMarksEveryTypedKey) {
    // 2 still fits several names, 2 8 8 only the bus station.
    for (const int digit : {2, 8, 8}) kit.key(ui::VK_0 + static_cast<std::uint32_t>(digit));
    ASSERT_EQ(box.candidateCount, 1);
    EXPECT_FALSE(box.listShown());
    EXPECT_EQ(box.display.selectionStart, 0);
    EXPECT_EQ(box.display.selectionEnd, 3);
}

TEST_F(KeypadTextBoxTest, EachBackKeyTheFramePassesOnDeletesOneKey) {
    kit.key(ui::VK_0 + 6);
    kit.key(ui::VK_0 + 2);
    ASSERT_EQ(box.t9.typedLength, 2);
    // The main frame passes every press of the taken-over Back key on as one bare hot key.
    platform::sendMessage(box.display.handle(), platform::shell::WM_HOTKEY, 0, 0);
    EXPECT_EQ(box.t9.typedLength, 1);
    platform::sendMessage(box.display.handle(), platform::shell::WM_HOTKEY, 0, 0);
    EXPECT_EQ(box.t9.typedLength, 0);
}

// The hint of a selected suggestion stands beside that row, inside the list: the labels left of
// the box, the box and the other rows stay in sight.
TEST_F(KeypadTextBoxTest, TheHintStandsBesideTheSelectedRow) {
    cTextBox right(1, platform::kNullWindow, false, network.names());
    ASSERT_TRUE(right.createBox(host.window(), Rect::fromSize(80, 120, 150, 24), 1002));
    right.listHeight = 120;
    right.Layout();
    ui::setFocus(right.handle());
    kit.key(ui::VK_0 + 6);
    ASSERT_TRUE(right.listShown());
    ASSERT_GE(right.list.rowCount(), 3);
    kit.key(ui::VK_DOWN);
    kit.key(ui::VK_DOWN);
    kit.key(ui::VK_DOWN);
    ASSERT_EQ(right.list.selected, 2);
    kit.advance(kHintShowDelay + 10);
    ASSERT_TRUE(ui::isWindowVisible(right.list.hint.handle()));
    const Rect hint = ui::getWindowRect(right.list.hint.handle());
    const Rect list = ui::getWindowRect(right.list.handle());
    const int h = cTextBoxList::rowHeight();
    const int rowTop = list.top + 2 * h;
    EXPECT_GE(hint.left, list.left);
    EXPECT_LE(hint.right, list.right);
    // On the row's line: it reaches into neither neighbour's middle.
    EXPECT_GT(hint.top, rowTop - h / 2) << hint.top << "-" << hint.bottom << " row " << rowTop;
    EXPECT_LT(hint.bottom, rowTop + h + h / 2) << hint.top << "-" << hint.bottom << " row " << rowTop;
}

TEST_F(KeypadTextBoxTest, LeftClearsAndUpAsksForThePreviousControl) {
    kit.key(ui::VK_0 + 6);
    ASSERT_FALSE(box.text.empty());
    kit.key(ui::VK_LEFT);
    EXPECT_TRUE(box.text.empty());
    EXPECT_EQ(box.t9.typedLength, 0);
    EXPECT_FALSE(box.listShown());
    kit.key(ui::VK_UP);
    ASSERT_FALSE(host.seen().empty());
    EXPECT_EQ(host.seen().back().message, WM_MOVE_FOCUS);
    EXPECT_EQ(host.seen().back().wParam, 1u);
}

// Counts the name searches of the engine's names.
class CountingNames : public EngineObjectNames {
public:
    using EngineObjectNames::EngineObjectNames;
    std::int32_t searchText(std::int32_t timetable, std::string_view folded, std::int32_t category,
                            TrasaPlace* slots, SuggestionCounts& counts) override {
        searched.emplace_back(folded);
        return EngineObjectNames::searchText(timetable, folded, category, slots, counts);
    }
    std::vector<std::string> searched;
};

TEST(GpsTextBoxTest, EmptyBoxStandsForTheGpsPosition) {
    testing::SampleNetwork network;
    ASSERT_TRUE(network.ok());
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    CountingNames names(network.api(), network.data(), network.set());
    cTextBox box(0, platform::kNullWindow, true, names);
    ASSERT_TRUE(box.createBox(host.window(), Rect::fromSize(5, 30, 230, 26), 1001));
    box.SetText(u"", true);
    const std::u16string placeholder = platform::resources::loadResString(kTextGpsPlaceholder);
    EXPECT_EQ(box.editText(), placeholder);
    EXPECT_TRUE(box.text.empty());
    EXPECT_TRUE(box.showsGpsPosition());
    ui::setFocus(box.handle());
    kit.type(u"Na");
    EXPECT_FALSE(box.showsGpsPosition());
    EXPECT_EQ(names.searched,
              (std::vector<std::string>{"n", "na"}));  // folded, the placeholder replaced
    kit.key(ui::VK_BACK);
    kit.type(u"\b");
    kit.type(u"\b");
    EXPECT_EQ(box.editText(), placeholder);
    EXPECT_TRUE(box.showsGpsPosition());
    EXPECT_EQ(box.chosen.count, 0);
    EXPECT_FALSE(box.listShown());
    EXPECT_EQ(names.searched.size(), 3u);  // "n" again; nothing for the empty text
}

// The placeholder is the box's state, not a text, and it is shown in grey and whole in either
// input mode, however narrow the box is for its font.
TEST(GpsTextBoxTest, PlaceholderIsGreyAndWholeInEveryProfile) {
    struct Case {
        const char* profile;
        int width, height;
    };
    const Case cases[] = {{"240x320", 150, 26}, {"480x640", 330, 52}, {"240x320-keypad", 150, 24}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile);
        testing::SampleNetwork network;
        ASSERT_TRUE(network.ok());
        platform::testkit::UiTestKit kit(c.profile);
        testing::ViewHost host;
        cTextBox box(0, platform::kNullWindow, true, network.names());
        ASSERT_TRUE(box.createBox(host.window(), Rect::fromSize(5, 30, c.width, c.height), 1001));
        box.Layout();
        box.SetText(u"", true);
        EXPECT_TRUE(box.showsGpsPosition());
        EXPECT_TRUE(box.text.empty());
        const platform::WindowHandle shown =
            box.editMode ? box.edit.handle() : box.display.handle();
        const Rect area = ui::getWindowRect(shown);
        const auto& shot = kit.screenshot();
        int grey = 0;
        int black = 0;
        int rightmost = -1;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const auto colour = shot.pixel(x, y);
                if (colour == kSecondaryTextColor) {
                    ++grey;
                    rightmost = std::max(rightmost, x);
                }
                black += colour == kBlack ? 1 : 0;
            }
        }
        EXPECT_GT(grey, 20);
        EXPECT_EQ(black, 0);  // no part of it in the window-text colour
        // Whole: the text ends inside the field, not cut at its edge.
        EXPECT_LT(rightmost, area.right - 2);
        // A chosen object is no GPS entry, and neither is a box without the flag.
        box.setGpsFlag(false);
        EXPECT_FALSE(box.showsGpsPosition());
        EXPECT_NE(box.editText(), platform::resources::loadResString(kTextGpsPlaceholder));
    }
}

// Names whose searches answer counts beyond the slots and fill only the first slot, or fail.
class UnreliableNames final : public ObjectNames {
public:
    std::int32_t searchText(std::int32_t, std::string_view, std::int32_t, TrasaPlace* slots,
                            SuggestionCounts& counts) override {
        reinterpret_cast<cTextBoxKategorieElement*>(slots)[0].clear();
        reinterpret_cast<cTextBoxKategorieElement*>(slots)[0].Add(0, 0, 1);
        counts = {500, 300, 250};
        return status;
    }
    std::int32_t searchKey(std::int32_t, std::int32_t, std::int32_t, bool, T9State& state,
                           std::int32_t, TrasaPlace*, SuggestionCounts& counts) override {
        state.typedLength = 1000;
        counts = {2, -5, 7};
        return status;
    }
    std::u16string elementName(const TrasaTriple&) override { return u"Jedna"; }
    std::u16string kindName(const TrasaTriple&) override { return u"zast\u00e1vky"; }
    std::int32_t favouriteGet(TrasaPlace*) override { return 99; }
    std::int32_t favouriteAdd(const TrasaPlace&) override { return 0; }
    std::int32_t favouriteDelete(const TrasaPlace&) override { return 0; }
    std::int32_t categoryFilter() override { return -1; }
    std::int32_t status = 0;
};

TEST(UnreliableNamesTest, CountsBeyondTheSlotsAreCutToThem) {
    platform::testkit::UiTestKit kit;
    testing::ViewHost host;
    std::vector<std::u16string> boxes;
    platform::shell::setMessageBoxAnswerer([&](const platform::shell::MessageBoxRequest& r) {
        boxes.push_back(r.text);
        return 1;
    });
    UnreliableNames names;
    cTextBox box(0, platform::kNullWindow, false, names);
    ASSERT_TRUE(box.createBox(host.window(), Rect::fromSize(5, 30, 230, 26), 1001));
    ui::setFocus(box.handle());
    kit.type(u"j");
    EXPECT_EQ(box.candidateCount, kSuggestionSlots);
    EXPECT_EQ(box.list.rowCount(), kSuggestionSlots);
    EXPECT_EQ(box.list.historyCount + box.list.favouritesCount, kSuggestionSlots);
    kit.screenshot();  // every row painted: empty slots show no name and read nothing
    box.selectSuggestion(50, false);  // an empty slot chooses nothing
    EXPECT_EQ(box.chosen.count, 0);
    box.t9Search(2, '2', false);  // a typed length beyond the buffer
    EXPECT_EQ(box.candidateCount, 2);
    box.showFavourites();
    EXPECT_EQ(box.favouritesCount, kFavouriteSlots);
    EXPECT_EQ(box.list.rowCount(), kFavouriteSlots + 1);
    EXPECT_TRUE(boxes.empty());
    names.status = -3;
    kit.type(u"x");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], platform::resources::loadResString(kTextNameSearchFailed));
    platform::shell::setMessageBoxAnswerer({});
}

}  // namespace
}  // namespace pelorvant
