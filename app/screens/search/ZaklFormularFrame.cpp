#include "app/screens/search/ZaklFormularFrame.h"

#include "app/core/CountryTables.h"
#include "app/core/DateTexts.h"
#include "app/core/DesktopServices.h"
#include "app/core/FileUtils.h"
#include "app/core/LabelPlainText.h"
#include "app/core/PrivateMessages.h"
#include "app/core/TextConversion.h"
#include "app/screens/data/CountryUpdateItems.h"
#include "app/screens/progress/TabServices.h"
#include "app/screens/search/TextBoxPPCView.h"
#include "app/shell/FatalError.h"
#include "app/shell/ImageMessageBoxView.h"
#include "app/shell/ViewTable.h"

#include "platform/core/MessageLoop.h"
#include "platform/draw/Utf.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/Focus.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

#include <cstdlib>

namespace pelorvant {

namespace ui = platform::ui;
namespace shell = platform::shell;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextPageTitle = 348;
constexpr std::uint32_t kTextAppVersion = 178;
constexpr std::uint32_t kTextLibraryVersion = 286;
constexpr std::uint32_t kTextTimetableInfo = 179;
constexpr std::uint32_t kTextVersion = 271;
constexpr std::uint32_t kTextValidity = 181;
constexpr std::uint32_t kTextDataValidity = 329;
constexpr int kSetChoiceMenu = 160;
constexpr std::uint32_t kTextStopTimetable = 414;
constexpr std::uint32_t kTextUpdateDate = 412;
constexpr std::uint32_t kTextClearForm = 413;
constexpr std::uint32_t kCommandLastTimetable = kCommandFirstTimetable + 99;
// The search page's quick commands of the first country's update.
constexpr std::uint32_t kCommandQuickUpdateAll = 2068;
constexpr std::uint32_t kCommandQuickUpdateLoaded = 32850;
constexpr std::uint32_t kCommandQuickOptions = 2066;
constexpr std::uint32_t kCommandQuickDetailedUpdate = 2067;
constexpr std::uint32_t kCommandOptions = 32786;

// "<*big*><*b*>" + title + "<*b*><*normal*>\r" with the two font heights of the info texts.
std::u16string boldTitle(std::u16string_view title, int fontHeight) {
    return u"<*" + numberText(static_cast<int>(fontHeight * 1.1)) + u"*><*b*>" + std::u16string(title) + u"<*b*><*" +
           numberText(fontHeight) + u"*>\r";
}

// Takes out the entries of a popup whose commands lie in [first, last]: a popup filled at an
// earlier activation is filled anew, never twice.
void removeCommandsIn(shell::Menu& menu, std::uint32_t first, std::uint32_t last) {
    for (int i = menu.count() - 1; i >= 0; --i) {
        const long id = menu.itemId(i);
        if (id >= static_cast<long>(first) && id <= static_cast<long>(last)) {
            menu.remove(static_cast<std::uint32_t>(i), shell::MF_BYPOSITION);
        }
    }
}

bool holdsUpdateEntries(const shell::Menu& menu) {
    for (int i = 0; i < menu.count(); ++i) {
        if (const long id = menu.itemId(i);
            id > 0 && isUpdateEntryId(static_cast<std::uint32_t>(id)))
            return true;
    }
    return false;
}

}  // namespace

std::string helpPagePath(const std::string& programFolder, std::int32_t language) {
    std::string path = programFolder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += "help/index";
    if (language != 0) path += platform::draw::toUtf8(countryCode(language));
    return path + ".html";
}

cZaklFormularFrame::cZaklFormularFrame(ProgramContext& context, cImageMessageBoxView& messageView,
                                       cTextBoxPPCView& entryView)
    : cTabbedForm(false, true, true),
      context_(context),
      messageView_(messageView),
      entryView_(entryView),
      updateRequest_(context) {}

bool cZaklFormularFrame::createForm(platform::WindowHandle tabPage, const Rect& rect) {
    return createView(tabPage, rect, kViewSearchForm);
}

MsgResult cZaklFormularFrame::OnCreate(std::uintptr_t wParam, std::intptr_t lParam) {
    cTabbedForm::OnCreate(wParam, lParam);
    const Rect empty{0, 0, 0, 0};
    auto page = std::make_unique<cZaklFormularView>(context_, *this, &messageView_);
    page->createPage(handle(), empty);
    searchPage_ = page.get();
    AddPage(std::move(page), loadResString(kTextPageTitle));
    auto stopPage = std::make_unique<cStopTimetableFormView>(context_, &messageView_);
    stopPage->createPage(handle(), empty);
    stopPage_ = stopPage.get();
    AddPage(std::move(stopPage), loadResString(kTextPageTitle));
    showPage(0);
    return 0;
}

std::int32_t cZaklFormularFrame::setIndex() const {
    const TabServices* tab = parentTabServices(handle());
    return tab ? tab->setIndex() : -1;
}

int cZaklFormularFrame::searchCategory() const {
    return entryView_.borrowing() ? entryView_.GetSelectedCategory() : categoryFilter_;
}

void cZaklFormularFrame::ResetSearchPage() {
    searchPage_->setSet(setIndex());
    searchPage_->ResetForm();
    showPage(0);
}

void cZaklFormularFrame::RefreshCategoryFilter() {
    if (context_.settings->isNotSmartphone) entryView_.FillCategories(context_.data->GetSlouceneKategorie(setIndex()));
}

shell::MenuPtr cZaklFormularFrame::menuPopup() const {
    const shell::MenuPtr root = shell::menuBarMenu(shell::findMenuBar(mainFrameWindow()));
    if (!root) return {};
    for (int i = 0; i < root->count(); ++i) {
        if (root->item(i)->kind == shell::MenuItem::Kind::Popup) return root->subMenu(i);
    }
    return {};
}

void cZaklFormularFrame::fillCategoryPopup() {
    const shell::MenuPtr menu = menuPopup();
    if (!menu) return;
    const shell::MenuPtr categories = menu->subMenu(context_.settings->isNotSmartphone ? 1 : 2);
    if (!categories) return;
    const std::vector<std::u16string> names = context_.data->GetSlouceneKategorie(setIndex());
    removeCommandsIn(*categories, kCommandNoCategory + 1, kCommandLastCategory);
    for (std::size_t n = 0; n < names.size(); ++n) {
        categories->insert(static_cast<std::uint32_t>(n + 1), shell::MF_BYPOSITION | shell::MF_STRING,
                           static_cast<std::uint32_t>(kCommandNoCategory + 1 + n), names[n]);
    }
    categories->check(kCommandNoCategory + static_cast<std::uint32_t>(categoryFilter_),
                      shell::MF_BYCOMMAND | shell::MF_CHECKED);
}

void cZaklFormularFrame::chooseCategory(int index) {
    if (const shell::MenuPtr menu = menuPopup()) {
        menu->check(kCommandNoCategory + static_cast<std::uint32_t>(categoryFilter_),
                    shell::MF_BYCOMMAND | shell::MF_UNCHECKED);
        menu->check(kCommandNoCategory + static_cast<std::uint32_t>(index), shell::MF_BYCOMMAND | shell::MF_CHECKED);
    }
    categoryFilter_ = index;
}

void cZaklFormularFrame::checkDirectionEntries() {
    if (context_.settings->isNotSmartphone)
        return;
    if (const shell::MenuPtr menu = menuPopup()) {
        const bool departure = searchPage_->departureFlag;
        menu->check(kCommandDeparture,
                    shell::MF_BYCOMMAND | (departure ? shell::MF_CHECKED : shell::MF_UNCHECKED));
        menu->check(kCommandArrival,
                    shell::MF_BYCOMMAND | (departure ? shell::MF_UNCHECKED : shell::MF_CHECKED));
    }
}

void cZaklFormularFrame::OnViewActivate() {
    fillCategoryPopup();
    checkDirectionEntries();
    if (const shell::MenuPtr menu = menuPopup()) {
        addUpdateEntries(menu);
        addStopTimetableEntries(menu);
        if (currentItem == 1) editMenuForStopTimetables(menu);
    }
    if (currentItem == 0) searchPage_->OnViewActivate();
}

void cZaklFormularFrame::addStopTimetableEntries(const shell::MenuPtr& menu) {
    const shell::MenuPtr navigation = menu->subMenu(context_.settings->isNotSmartphone ? 5 : 7);
    if (!navigation) return;
    removeCommandsIn(*navigation, kCommandFirstTimetable, kCommandLastTimetable);
    const auto& headers = context_.data->headers();
    const std::vector<std::int32_t> indexes = context_.data->GetIndexyHlavicekSestavy(setIndex());
    // Inserted one after the other behind "Hledaní spojení", in the set's order.
    std::uint32_t at = 1;
    for (std::size_t n = 0; n < indexes.size() && n <= kCommandLastTimetable - kCommandFirstTimetable; ++n) {
        const std::int32_t index = indexes[n];
        if (index < 0 || index >= static_cast<std::int32_t>(headers.size())) continue;
        const TimetableHeaderInfo& header = headers[static_cast<std::size_t>(index)];
        if (!header.cityFlag) continue;
        navigation->insert(at++, shell::MF_BYPOSITION | shell::MF_STRING,
                           kCommandFirstTimetable + static_cast<std::uint32_t>(n),
                           loadResString(kTextStopTimetable) + u" - " + header.title);
    }
}

void cZaklFormularFrame::addUpdateEntries(const shell::MenuPtr& menu) {
    const shell::MenuPtr updates = menu->subMenu(context_.settings->isNotSmartphone ? 4 : 6);
    // The groups replace the placeholder once; a popup that holds them keeps them.
    if (!updates || holdsUpdateEntries(*updates))
        return;
    const TimetableData& data = *context_.data;
    const std::int32_t set = setIndex();
    const auto installed = [&data](std::int16_t id) { return data.anyHeaderListsItem(id); };
    const auto loaded = [&data, set](std::int16_t id) { return data.setListsItem(set, id); };
    fillCountryUpdatePopup(*updates, searchFormUpdateItems(installed, loaded));
}

void cZaklFormularFrame::startProgress(std::int32_t code, int returnView) {
    if (TabServices* tab = parentTabServices(handle()))
        updateRequest_.start(code, returnView, *tab, handle(), dataView);
}

MsgResult cZaklFormularFrame::OnUpdateCheckDone(std::uintptr_t fetched, std::intptr_t) {
    if (TabServices* tab = parentTabServices(handle())) updateRequest_.done(fetched == 1, *tab);
    return 0;
}

void cZaklFormularFrame::editMenuForStopTimetables(const shell::MenuPtr& menu) {
    if (context_.settings->isNotSmartphone) {
        menu->remove(2, shell::MF_BYPOSITION);
        menu->remove(1, shell::MF_BYPOSITION);
    } else {
        menu->remove(4, shell::MF_BYPOSITION);
        menu->remove(3, shell::MF_BYPOSITION);
        menu->remove(2, shell::MF_BYPOSITION);
        menu->insert(0, shell::MF_BYPOSITION | shell::MF_STRING, kCommandNow, loadResString(kTextUpdateDate));
    }
    menu->insert(0, shell::MF_BYPOSITION | shell::MF_STRING, kCommandResetStopForm, loadResString(kTextClearForm));
}

void cZaklFormularFrame::showStopTimetablePage() {
    showPage(1);
    if (TabServices* tab = parentTabServices(handle())) tab->showView(kViewSearchForm, kOwnMenu);
}

void cZaklFormularFrame::selectTimetable(std::int32_t fileIndex) {
    stopPage_->SelectTimetable(fileIndex);
    showStopTimetablePage();
    ui::setFocus(stopPage_->handle());
}

bool cZaklFormularFrame::routeStopTimetableCommand(std::uint32_t id) {
    if (id >= kCommandFirstTimetable && id <= kCommandLastTimetable) {
        selectTimetable(static_cast<std::int32_t>(id - kCommandFirstTimetable));
        return true;
    }
    if (currentItem != 1) return false;
    switch (id) {
        case kCommandFind: stopPage_->menuFind(); return true;
        case kCommandNow: stopPage_->SetCurrentTime(); return true;
        case kCommandSwap: stopPage_->SwapDirection(); return true;
        case kCommandResetStopForm: stopPage_->ResetForm(); return true;
        case kCommandBackToSearchForm:
            if (TabServices* tab = parentTabServices(handle())) tab->showView(kViewSearchForm, kOwnMenu);
            return true;
        default: return false;
    }
}

void cZaklFormularFrame::Layout(unsigned flags, int width, int height) {
    cTabbedForm::Layout(flags, width, height);
}

std::u16string cZaklFormularFrame::aboutText() const {
    const int fh = context_.settings->fontHeight;
    std::u16string text = boldTitle(loadResString(kTextAppVersion), fh) + context_.settings->versionText + u" WM5" + u"\r";
    char* version = nullptr;
    std::int32_t length = 0;
    std::u16string library;
    if (context_.api->api_getVerziKnihovny(&version, &length) == ENGINE_OK && version != nullptr) {
        library = fromNarrowString(version, length);
    }
    std::free(version);
    text += boldTitle(loadResString(kTextLibraryVersion), fh) + library + u"\r";
    return text;
}

std::u16string cZaklFormularFrame::timetableInfoText() const {
    const int fh = context_.settings->fontHeight;
    std::u16string text = boldTitle(loadResString(kTextTimetableInfo), fh);
    const std::int32_t set = setIndex();
    const auto& headers = context_.data->headers();
    for (std::int32_t index : context_.data->GetIndexyHlavicekSestavy(set)) {
        if (index < 0 || index >= static_cast<std::int32_t>(headers.size())) continue;
        const TimetableHeaderInfo& header = headers[static_cast<std::size_t>(index)];
        text += plainLabelText(header.title);
        text += loadResString(kTextVersion) + plainLabelText(header.firstText) + u"\r";
        text += loadResString(kTextValidity) + dayRangeText(*context_.api, header.firstValidFrom, header.firstValidTo) +
                u"\r";
        text += loadResString(kTextDataValidity) +
                dayRangeText(*context_.api, header.secondValidFrom, header.secondValidTo) + u"\r";
    }
    return text;
}

void cZaklFormularFrame::openHelp() {
    // Nothing is reported when no program opens the page.
    desktopOpener().open(helpPagePath(getProgramFolder().string(), context_.settings->language));
}

void cZaklFormularFrame::formCommand(std::uint32_t id) {
    TabServices* tab = parentTabServices(handle());
    switch (id) {
        case 2065:
            if (tab) tab->showView(kViewSetChoice, kSetChoiceMenu);
            break;
        case kCommandQuickUpdateAll:
            startProgress(0, kViewSearchForm);
            break;
        case kCommandQuickUpdateLoaded:
            startProgress(1, kViewSearchForm);
            break;
        case kCommandQuickOptions:
            // As the menu's "Nastavení": the tab opens the options dialog.
            platform::sendMessage(mainFrameWindow(), ui::WM_COMMAND, kCommandOptions, 0);
            break;
        case kCommandQuickDetailedUpdate:
            // The detailed update of the language's country, as its menu entry.
            startProgress(detailedUpdateCode(context_.settings->language), kViewSearchForm);
            break;
        default:
            break;
    }
}

void cZaklFormularFrame::takeTextBox(cTextBox& box) {
    if (TabServices* tab = parentTabServices(handle()); tab == nullptr) return;
    entryView_.TakeTextBox(box, *searchPage_, categoryFilter_);
}

bool cZaklFormularFrame::routeCommand(std::uint32_t id, std::uint32_t code) {
    TabServices* tab = parentTabServices(handle());
    const bool searchPage = currentItem == 0;
    if (id > kCommandNoCategory && id <= kCommandLastCategory) {
        chooseCategory(static_cast<int>(id - kCommandNoCategory));
        return true;
    }
    if (routeStopTimetableCommand(id)) return true;
    if (isUpdateEntryId(id)) {
        startProgress(static_cast<std::int32_t>(id - kCountryCommandFirst), kViewSearchForm);
        return true;
    }
    switch (id) {
        case kCommandFind:
            if (searchPage) searchPage_->menuFind();
            return true;
        case kCommandNow:
            if (searchPage) searchPage_->setNow();
            return true;
        case kCommandSwap:
            if (searchPage) searchPage_->swapFromTo();
            return true;
        case kCommandDeparture:
        case kCommandArrival:
            if (searchPage) {
                searchPage_->setDeparture(id == kCommandDeparture);
                checkDirectionEntries();
            }
            return true;
        case kCommandAddFavouriteObject:
        case kCommandRemoveFavouriteObject:
            if (searchPage) searchPage_->addToFavourites(id == kCommandAddFavouriteObject);
            return true;
        case kCommandNoCategory:
            chooseCategory(0);
            return true;
        case kCommandChangeTimetable:
            formCommand(2065);
            return true;
        case kCommandSearchPage:
            showPage(0);
            if (tab) tab->showView(kViewSearchForm, kOwnMenu);
            return true;
        case kCommandAbout:
            messageView_.showText(aboutText(), kViewSearchForm, kOwnMenu, false);
            return true;
        case kCommandAboutData:
            messageView_.showText(timetableInfoText(), kViewSearchForm, kOwnMenu, false);
            return true;
        case kCommandHelp:
            openHelp();
            return true;
        case kCommandProgramExit:
            terminateProgram();
            return true;
        default:
            break;
    }
    if (cBaseView* active = page(currentItem); active != nullptr && active->routeCommand(id, code)) return true;
    return cTabbedForm::routeCommand(id, code);
}

void cZaklFormularFrame::OnSetFocus() {
    if (cBaseView* active = page(currentItem)) ui::setFocus(active->handle());
}

const platform::ui::MessageMapBase& cZaklFormularFrame::messageMap() const {
    static const auto map = platform::ui::MessageMap<cZaklFormularFrame>(&cTabbedForm::messageMap())
                                .message(ui::WM_CREATE, &cZaklFormularFrame::OnCreate)
                                .message(ui::WM_SETFOCUS, &cZaklFormularFrame::OnSetFocus)
                                .message(WM_UPDATECHECK_DONE, &cZaklFormularFrame::OnUpdateCheckDone);
    return map;
}

}  // namespace pelorvant
