#include "app/screens/options/OptionsValues.h"

namespace pelorvant {

OptionsValues loadOptionsValues(const EngineIni& ini, const AppSettings& s) {
    const auto section = kSetupSection;
    OptionsValues v;
    v.showTabs = ini.readBool(section, u"showTabs", s.showTabs);
    v.isGSM = ini.readBool(section, u"isGSM", s.isGSM);
    v.isStandardQwerty = ini.readBool(section, u"isStandardQwerty", s.orientation == 1);
    v.isLandscapeQwerty = ini.readBool(section, u"isLandscapeQwerty", s.isLandscapeQwerty);
    v.operatorName = ini.readString(section, u"operator", s.operatorName);
    v.calendarCategory = ini.readString(section, u"calendarCategory", s.calendarCategory);
    v.fontHeight = s.clampedFontHeight(ini.readInt(section, u"fontHeight", s.fontHeight));
    v.qb1 = AppSettings::clampedQuickButton(0, ini.readInt(section, u"qb1", s.qb1));
    v.qb2 = AppSettings::clampedQuickButton(1, ini.readInt(section, u"qb2", s.qb2));
    v.qb3 = AppSettings::clampedQuickButton(2, ini.readInt(section, u"qb3", s.qb3));
    v.language = AppSettings::clampedLanguage(ini.readInt(section, u"language", s.language));
    v.calEdit = ini.readBool(section, u"calEdit", s.calEdit);
    v.calSaveData = ini.readBool(section, u"calSaveData", s.calSaveData);
    v.checkAppAct = ini.readBool(section, u"checkAppAct", s.checkAppAct);
    v.defaultTT = ini.readString(section, u"defaultTT", s.defaultTT);
    v.isgps = ini.readBool(section, u"isgps", false);
    v.touchfriendly = ini.readBool(section, u"touchfriendly", false);
    v.updaterEnabled = s.updaterEnabled;
    v.updaterStartsProgram = s.updaterStartsProgram;
    return v;
}

bool saveOptionsValues(const EngineIni& ini, AppSettings& s, const OptionsValues& loaded,
                       const OptionsValues& chosen, SystemHooks& hooks) {
    const auto section = kSetupSection;
    ini.writeInt(section, u"fontHeight", chosen.fontHeight);
    ini.writeInt(section, u"language", chosen.language);
    ini.writeBool(section, u"showTabs", chosen.showTabs);
    ini.writeString(section, u"operator", chosen.operatorName);
    ini.writeBool(section, u"checkAppAct", chosen.checkAppAct);
    ini.writeString(section, u"defaultTT", chosen.defaultTT);
    hooks.installUpdater(chosen.updaterEnabled);
    const bool touch = s.isNotSmartphone;
    if (touch) {
        ini.writeBool(section, u"isGSM", chosen.isGSM);
        ini.writeBool(section, u"touchfriendly", chosen.touchfriendly);
        ini.writeString(section, u"calendarCategory", chosen.calendarCategory);
        ini.writeInt(section, u"qb1", chosen.qb1);
        ini.writeInt(section, u"qb2", chosen.qb2);
        ini.writeInt(section, u"qb3", chosen.qb3);
        ini.writeBool(section, u"calEdit", chosen.calEdit);
        ini.writeBool(section, u"calSaveData", chosen.calSaveData);
        ini.writeBool(section, u"isgps", chosen.isgps);
        s.calEdit = chosen.calEdit;
        s.calSaveData = chosen.calSaveData;
        s.isgps = chosen.isgps;
        s.isGSM = chosen.isGSM;
        s.touchfriendly = chosen.touchfriendly;
        s.calendarCategory = chosen.calendarCategory;
    } else {
        ini.writeBool(section, u"isStandardQwerty", chosen.isStandardQwerty);
        ini.writeBool(section, u"isLandscapeQwerty", chosen.isLandscapeQwerty);
        s.isGSM = true;
    }
    s.operatorName = chosen.operatorName;
    s.updaterStartsProgram = chosen.updaterStartsProgram;
    s.updaterEnabled = chosen.updaterEnabled;
    s.checkAppAct = chosen.checkAppAct;

    bool restart = chosen.fontHeight != loaded.fontHeight || chosen.showTabs != loaded.showTabs ||
                   chosen.language != loaded.language;
    if (touch) {
        restart = restart || chosen.touchfriendly != loaded.touchfriendly ||
                  chosen.qb1 != loaded.qb1 || chosen.qb2 != loaded.qb2 || chosen.qb3 != loaded.qb3;
    } else {
        restart = restart || chosen.isStandardQwerty != loaded.isStandardQwerty ||
                  chosen.isLandscapeQwerty != loaded.isLandscapeQwerty;
    }
    return restart;
}

OptionsValues loadWizardValues(const EngineIni& ini, const AppSettings& s) {
    const auto section = kSetupSection;
    OptionsValues v;
    v.showTabs = ini.readBool(section, u"showTabs", true);
    v.isGSM = ini.readBool(section, u"isGSM", true);
    v.isStandardQwerty = ini.readBool(section, u"isStandardQwerty", false);
    v.isLandscapeQwerty = ini.readBool(section, u"isLandscapeQwerty", false);
    v.fontHeight = s.clampedFontHeight(ini.readInt(section, u"fontHeight", s.fontHeight));
    v.language = AppSettings::clampedLanguage(ini.readInt(section, u"language", s.language));
    return v;
}

void saveWizardValues(const EngineIni& ini, AppSettings& s, const OptionsValues& chosen) {
    const auto section = kSetupSection;
    ini.writeInt(section, u"fontHeight", chosen.fontHeight);
    ini.writeBool(section, u"showTabs", chosen.showTabs);
    ini.writeInt(section, u"language", chosen.language);
    if (s.isNotSmartphone) {
        ini.writeBool(section, u"isGSM", chosen.isGSM);
        s.isGSM = chosen.isGSM;
    } else {
        ini.writeBool(section, u"isStandardQwerty", chosen.isStandardQwerty);
        ini.writeBool(section, u"isLandscapeQwerty", chosen.isLandscapeQwerty);
        s.isGSM = true;
    }
    s.isWizardFinished = true;
    ini.writeBool(section, u"isWizardFinished", true);
}

}  // namespace pelorvant
