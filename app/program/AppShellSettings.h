#pragma once
// The program's settings as the shell's building blocks read them.
#include "app/core/AppSettings.h"
#include "app/shell/ShellSettings.h"

namespace pelorvant {

class AppShellSettings final : public ShellSettings {
public:
    // The settings must outlive the object.
    explicit AppShellSettings(const AppSettings& settings) : settings_(settings) {}
    int fontHeight() const override { return settings_.fontHeight; }
    bool isNotSmartphone() const override { return settings_.isNotSmartphone; }
    bool touchFriendly() const override { return settings_.touchfriendly; }
    bool highResolution() const override { return settings_.highResolution; }
    int orientation() const override { return settings_.orientation; }
    int scrollBarWidth() const override { return settings_.scrollBarWidth; }
    bool showTabs() const override { return settings_.showTabs; }
    bool useT9() const override { return settings_.useT9; }
    bool standardQwerty() const override { return settings_.isStandardQwerty; }
    bool landscapeQwerty() const override { return settings_.isLandscapeQwerty; }
    const platform::draw::Font& mainFont() const override;

private:
    const AppSettings& settings_;
};

}  // namespace pelorvant
