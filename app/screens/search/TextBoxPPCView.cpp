#include "app/screens/search/TextBoxPPCView.h"

#include <algorithm>

#include "app/screens/progress/TabServices.h"
#include "app/screens/search/PercentRect.h"
#include "app/shell/ViewTable.h"

#include "platform/controls/ControlMessages.h"
#include "platform/controls/Controls.h"
#include "platform/core/MessageLoop.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/InputPanel.h"
#include "platform/ui/Focus.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowStyles.h"
#include "platform/ui/WindowTree.h"

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextCategory = 151;
constexpr std::uint32_t kTextNoRestriction = 263;

}  // namespace

cTextBoxPPCView::cTextBoxPPCView(ProgramContext& context)
    : cBaseView(true, false, false), context_(context) {}

bool cTextBoxPPCView::createEntryView(platform::WindowHandle tabPage, const Rect& rect) {
    return createView(tabPage, rect, kTextBoxPPCViewId);
}

MsgResult cTextBoxPPCView::OnCreate(std::uintptr_t, std::intptr_t) {
    controls::registerControlClasses();
    ui::CreateParams p;
    p.className = std::string(controls::kComboBoxClass);
    p.style = ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_BORDER | ui::WS_VSCROLL | controls::CBS_DROPDOWNLIST;
    p.rect = Rect{0, 0, 10, 10};
    p.parent = handle();
    p.id = kEntryCategoryComboId;
    combo = ui::createWindow(p);
    label.createStatic(handle(), loadResString(kTextCategory), Rect{0, 0, 10, 10}, kEntryCategoryLabelId);
    platform::draw::FontSpec spec;
    spec.height = context_.settings->fontHeight;
    font_ = std::make_unique<platform::draw::Font>(spec);
    FillCategories({});
    return 0;
}

void cTextBoxPPCView::FillCategories(const std::vector<std::u16string>& categories) {
    platform::sendMessage(combo, controls::CB_RESETCONTENT, 0, 0);
    const std::u16string none = loadResString(kTextNoRestriction);
    platform::sendMessage(combo, controls::CB_ADDSTRING, 0, reinterpret_cast<std::intptr_t>(&none));
    for (const std::u16string& name : categories) {
        platform::sendMessage(combo, controls::CB_ADDSTRING, 0, reinterpret_cast<std::intptr_t>(&name));
    }
    platform::sendMessage(combo, controls::CB_SETCURSEL, 0, 0);
}

int cTextBoxPPCView::GetSelectedCategory() const {
    const auto selected = platform::sendMessage(combo, controls::CB_GETCURSEL, 0, 0);
    return selected < 0 ? 0 : static_cast<int>(selected);
}

void cTextBoxPPCView::TakeTextBox(cTextBox& box, cBaseView& page, int filter) {
    if (box_ != nullptr) return;
    box_ = &box;
    page_ = &page;
    pageRect_ = ui::getWindowRect(box.handle());
    ui::setParent(box.handle(), handle());
    ui::setParent(box.list.handle(), handle());
    if (TabServices* tab = parentTabServices(handle())) tab->showView(kViewTextBoxPPC, kOwnMenu);
    platform::shell::sipShowIM(platform::shell::SIPF_ON);
    platform::sendMessage(combo, controls::CB_SETCURSEL, static_cast<std::uintptr_t>(filter), 0);
    kept_ = box.getElement();
    const Rect client = ui::getClientRect(handle());
    Layout(0, client.width(), client.height());
    ui::setFocus(box.handle());
}

void cTextBoxPPCView::giveBack() {
    cTextBox* box = box_;
    cBaseView* page = page_;
    ui::setParent(box->handle(), page->handle());
    ui::setParent(box->list.handle(), page->handle());
    box->hideList();
    platform::shell::sipShowIM(platform::shell::SIPF_OFF);
    // The panel is down again: its next opening must lay the frame out anew, or the box would
    // stay on the form.
    context_.settings->layoutFlag = false;
    box_ = nullptr;
    page_ = nullptr;
    kept_.reset();
    const Rect client = ui::getClientRect(page->handle());
    page->Layout(0, client.width(), client.height());
    if (TabServices* tab = parentTabServices(handle())) tab->showView(kViewSearchForm, kOwnMenu);
    ui::setFocus(box->handle());
}

void cTextBoxPPCView::menuOkClick() {
    if (box_ == nullptr) return;
    if (box_->chosen.count == 0 && box_->candidateCount > 0) box_->selectSuggestion(0, false);
    giveBack();
}

void cTextBoxPPCView::menuCancelClick() {
    if (box_ == nullptr) return;
    if (kept_) box_->chosen = *kept_;
    box_->showSelectedName();
    giveBack();
}

void cTextBoxPPCView::Layout(unsigned, int width, int height) {
    if (box_ == nullptr || width <= 0 || height <= 0) return;
    int panel = 0;
    platform::shell::SipInfo info;
    if (platform::shell::sipGetInfo(info) && (info.flags & platform::shell::SIPF_ON)) panel = info.panel.height();
    const int fh = context_.settings->fontHeight;
    const Rect boxRect = percentToPixels(design_[0], width, height);
    const Rect labelRect = percentToPixels(design_[1], width, height);
    const Rect comboRect = percentToPixels(design_[2], width, height);
    const auto font = reinterpret_cast<std::uintptr_t>(font_.get());
    platform::sendMessage(label.handle(), controls::WM_SETFONT, font, 1);
    platform::sendMessage(combo, controls::WM_SETFONT, font, 1);
    const int boxTop = static_cast<int>(fh * 1.8);
    ui::moveWindow(box_->handle(), boxRect.left, boxTop, boxRect.width(), pageRect_.height());
    const int listHeight = height - panel - fh - boxRect.bottom;
    box_->listHeight = listHeight > fh ? listHeight : fh;
    box_->Layout();
    ui::moveWindow(label.handle(), labelRect.left, labelRect.top, labelRect.width(), static_cast<int>(fh * 1.1));
    // The combo's window is its closed face (the list drops on its own): it ends above the box.
    const int faceHeight = std::max(fh, std::min(comboRect.height(), boxTop - comboRect.top - 2));
    ui::moveWindow(combo, comboRect.left, comboRect.top, comboRect.width(), faceHeight);
    ui::invalidateRect(handle());
}

void cTextBoxPPCView::OnSetFocus() {
    if (box_ != nullptr) ui::setFocus(box_->handle());
}

const platform::ui::MessageMapBase& cTextBoxPPCView::messageMap() const {
    static const auto map = platform::ui::MessageMap<cTextBoxPPCView>(&cBaseView::messageMap())
                                .message(ui::WM_CREATE, &cTextBoxPPCView::OnCreate)
                                .message(ui::WM_SETFOCUS, &cTextBoxPPCView::OnSetFocus)
                                .command(kCommandEntryOk, &cTextBoxPPCView::menuOkClick)
                                .command(kCommandEntryCancel, &cTextBoxPPCView::menuCancelClick);
    return map;
}

}  // namespace pelorvant
