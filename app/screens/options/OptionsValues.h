#pragma once
// The program-wide values the options dialog edits: read from section "setup" when the dialog
// opens, written back when the user saves, with the rule of which changes need a restart.
#include "app/core/AppSettings.h"
#include "app/core/EngineIni.h"
#include "app/core/SystemHooks.h"

#include <cstdint>
#include <string>

namespace pelorvant {

struct OptionsValues {
    std::int32_t fontHeight = 16;
    std::int32_t qb1 = 0;
    std::int32_t qb2 = 1;
    std::int32_t qb3 = 2;
    std::int32_t language = 0;
    bool calEdit = false;
    bool calSaveData = false;
    bool touchfriendly = false;
    bool showTabs = true;
    bool isGSM = true;
    bool isStandardQwerty = false;
    bool isLandscapeQwerty = false;
    bool updaterEnabled = false;
    bool updaterStartsProgram = false;
    bool checkAppAct = false;
    bool isgps = false;
    std::u16string operatorName;
    std::u16string calendarCategory;
    std::u16string defaultTT;
};

// Reads section "setup"; a key that is missing takes the settings object's current value, and
// a value out of its range the one the settings' clamps give, so the dialog starts from what
// the program uses.
OptionsValues loadOptionsValues(const EngineIni& ini, const AppSettings& settings);

// Writes the chosen values to section "setup", hands the values the running program uses at
// once to the settings object and (re)installs the updater. The values that take effect only at
// the next start stay in the INI store. True when a restart is needed: a value of that kind
// differs from what the dialog loaded.
bool saveOptionsValues(const EngineIni& ini, AppSettings& settings, const OptionsValues& loaded,
                       const OptionsValues& chosen, SystemHooks& hooks);

// The values of the first-run wizard: language, tabs, font and the device's kind.
OptionsValues loadWizardValues(const EngineIni& ini, const AppSettings& settings);
// Writes them with "isWizardFinished" and marks the wizard finished in the settings object.
void saveWizardValues(const EngineIni& ini, AppSettings& settings, const OptionsValues& chosen);

}  // namespace pelorvant
