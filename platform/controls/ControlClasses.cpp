#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Controls.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListView.h"
#include "platform/controls/MonthCalendar.h"
#include "platform/controls/ProgressBar.h"
#include "platform/controls/ScrollBar.h"
#include "platform/controls/StaticText.h"
#include "platform/controls/TabControl.h"
#include "platform/controls/UpDown.h"
#include "platform/ui/WindowClass.h"
#include "platform/ui/WindowStyles.h"

#include <string>

namespace platform::controls {

void registerControlClasses() {
    ui::registerClass(ui::WindowClass{std::string(kButtonClass), buttonProc(), 0, {}});
    ui::registerClass(ui::WindowClass{std::string(kStaticClass), staticTextProc(), 0, {}});
    ui::registerClass(ui::WindowClass{std::string(kEditClass), editProc(), 0, {}});
    ui::registerClass(ui::WindowClass{std::string(kComboBoxClass), comboBoxProc(), 0, {}});
    ui::registerClass(ui::WindowClass{std::string(kScrollBarClass), scrollBarProc(), 0, {}});
    ui::registerClass(ui::WindowClass{std::string(kUpDownClass), upDownProc(), 0, {}});
    ui::registerClass(
        ui::WindowClass{std::string(kListViewClass), listViewProc(), ui::CS_DBLCLKS, {}});
    ui::registerClass(ui::WindowClass{std::string(kTabControlClass), tabControlProc(), 0, {}});
    ui::registerClass(ui::WindowClass{std::string(kProgressBarClass), progressBarProc(), 0, {}});
    ui::registerClass(
        ui::WindowClass{std::string(kMonthCalendarClass), monthCalendarProc(), ui::CS_DBLCLKS, {}});
}

}  // namespace platform::controls
