#include "app/screens/options/OptionsDataPage.h"

#include "app/core/FileUtils.h"

#include "platform/resources/StringTable.h"

namespace pelorvant {

cOptionsDataPage::cOptionsDataPage() : cCheckListPage(platform::resources::loadResString(384)) {}

void cOptionsDataPage::loadRows(const TimetableData& data, std::u16string_view defaultTT) {
    std::vector<std::u16string> names;
    for (const TimetableHeaderInfo& header : data.headers())
        names.push_back(header.title);
    std::vector<bool> checked(names.size(), false);
    for (const std::u16string& name : splitString(defaultTT, u"$")) {
        const int row = data.findHeaderByName(name);
        if (row >= 0 && static_cast<std::size_t>(row) < checked.size())
            checked[static_cast<std::size_t>(row)] = true;
    }
    setRows(names, checked);
}

std::u16string cOptionsDataPage::defaultTT() const {
    std::u16string joined;
    const std::vector<bool> checked = checkedRows();
    for (std::size_t i = 0; i < checked.size(); ++i) {
        if (!checked[i])
            continue;
        if (!joined.empty())
            joined += u'$';
        joined += list.rowTexts[i];
    }
    return joined.empty() ? u"-" : joined;
}

}  // namespace pelorvant
