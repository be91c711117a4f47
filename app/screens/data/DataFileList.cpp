#include "app/screens/data/DataFileList.h"

#include "app/core/ResText.h"
#include "app/core/TextConversion.h"
#include "app/screens/data/DataRowDetails.h"
#include "app/shell/FatalError.h"
#include "app/shell/ShellSettings.h"
#include "platform/controls/ListView.h"
#include "platform/resources/StringTable.h"
#include "platform/shell/MessageBox.h"
#include "platform/shell/ShellMessages.h"

#include <filesystem>

namespace pelorvant {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::MsgResult;
using platform::resources::loadResString;

namespace {

constexpr std::uint32_t kTextDeleteQuestion = 407;
constexpr std::uint32_t kTextDeleteButton = 406;
constexpr std::uint32_t kTextWarning = 344;
constexpr std::uint32_t kTextDroppedSets = 12326;

// Told when a deleted file was part of a loaded set.
std::u16string droppedSetsText(const std::vector<std::u16string>& names) {
    std::u16string list;
    for (const std::u16string& name : names) {
        if (!list.empty())
            list += u", ";
        list += name;
    }
    return resStringWith(kTextDroppedSets, list);
}

}  // namespace

cDataFileList::cDataFileList(ProgramContext& context)
    : cDataPage(context, {{kTextDeleteButton, kDeleteButtonId}}, true) {}

bool cDataFileList::Refresh() {
    list.DeleteAllItems();
    const auto& headers = context_.data->headers();
    for (std::size_t i = 0; i < headers.size(); ++i)
        list.AddItem(static_cast<int>(i), headers[i].title);
    setCaption(u"");
    if (!headers.empty()) {
        list.SelectItem(0);
        showDetails(0);
    }
    return true;
}

void cDataFileList::showDetails(int row) {
    const auto& headers = context_.data->headers();
    if (row < 0 || row >= static_cast<int>(headers.size()))
        return;
    const std::filesystem::path file(toUtf8(headers[static_cast<std::size_t>(row)].fileName));
    setCaption(installedFileDetails(shellSettings().fontHeight(), file));
}

void cDataFileList::DeleteMarked() {
    const int answer =
        platform::shell::messageBox(mainFrameWindow(), loadResString(kTextDeleteQuestion), u"",
                                    platform::shell::MB_YESNO | platform::shell::MB_ICONQUESTION);
    std::vector<std::u16string> dropped;
    if (answer == platform::shell::IDYES) {
        const auto& headers = context_.data->headers();
        std::vector<std::int32_t> deleted;
        for (int row : list.GetCheckedItems(false)) {
            if (row < 0 || row >= static_cast<int>(headers.size()))
                continue;
            const std::filesystem::path file(
                toUtf8(headers[static_cast<std::size_t>(row)].fileName));
            std::error_code ec;
            std::filesystem::remove(file, ec);
            if (!std::filesystem::exists(file, ec))
                deleted.push_back(row);
        }
        // A set that used a deleted file is given back before the rescan, so the engine's
        // catalogue drops the file and no list shows it any more.
        if (!deleted.empty() && context_.loadedSets != nullptr)
            dropped = context_.loadedSets->dropSetsUsing(deleted);
    }
    context_.data->loadHeaders();
    Refresh();
    if (!dropped.empty())
        platform::shell::messageBox(mainFrameWindow(), droppedSetsText(dropped),
                                    loadResString(kTextWarning),
                                    platform::shell::MB_OK | platform::shell::MB_ICONINFORMATION);
}

void cDataFileList::OnItemChanged(const ui::NotifyHeader& header, MsgResult&) {
    const auto& change = reinterpret_cast<const controls::ListNotify&>(header);
    const std::uint32_t wanted = controls::LVIS_SELECTED | controls::LVIS_FOCUSED;
    if ((change.newState & wanted) == wanted)
        showDetails(change.item);
}

const ui::MessageMapBase& cDataFileList::messageMap() const {
    static const auto map =
        ui::MessageMap<cDataFileList>(&cDataPage::messageMap())
            .notify(kDataListId, controls::LVN_ITEMCHANGED, &cDataFileList::OnItemChanged);
    return map;
}

}  // namespace pelorvant
