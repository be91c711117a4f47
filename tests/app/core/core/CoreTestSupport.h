#pragma once
// Shared pieces of the core tests: a temporary folder, a notice that records its boxes and the
// real engine bound from the build with a fresh INI store.
#include "app/core/AppSettings.h"
#include "app/core/EngineBinding.h"
#include "app/core/SystemHooks.h"
#include "app/core/TextConversion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace pelorvant::testing {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pelorvant-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

struct Box {
    std::u16string text;
    std::u16string caption;
};

class RecordingNotice final : public UserNotice {
public:
    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        boxes.push_back({std::u16string(text), std::u16string(caption)});
    }
    bool askYesNo(std::u16string_view text, std::u16string_view caption) override {
        return answerYesNo(text, caption).value_or(false);
    }
    std::optional<bool> answerYesNo(std::u16string_view text,
                                    std::u16string_view caption) override {
        questions.push_back({std::u16string(text), std::u16string(caption)});
        if (!answered)
            return std::nullopt;
        return answer;
    }
    std::vector<Box> boxes;
    std::vector<Box> questions;
    bool answer = false;
    // False: every question ends without an answer.
    bool answered = true;
};

class RecordingHooks final : public SystemHooks {
public:
    void removeUpdaterRegistrations() override { calls.push_back("remove"); }
    void installUpdater(bool enable) override { calls.push_back(enable ? "install on" : "install off"); }
    std::vector<std::string> calls;
};

// The real engine, created with its INI store in a temporary data folder. It is bound once for
// the test process, as the program binds it: the engine keeps process-wide memory that must not
// be unloaded under it.
class RealEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        api_ = &bindEngineLibrary(std::filesystem::path(TRASA_LIBRARY_PATH).parent_path());
        settings.programFolder = folder.path() / "program";
        settings.dataFolder = folder.path() / "data";
        std::filesystem::create_directories(settings.dataFolder);
        createEngine();
    }
    // A new engine object reading the INI file as it now is on disk.
    void createEngine() {
        const std::string ini = (settings.dataFolder / "nastaveni.ini").string();
        const std::string temp = (settings.dataFolder / "nasTemp.dat").string();
        std::int32_t version = ENGINE_INTERFACE_VERSION;
        ASSERT_EQ(api().api_vytvorJizdniRadyGlobal(ini.data(), engineLength(ini), temp.data(), engineLength(temp),
                                                   &version),
                  ENGINE_OK);
    }
    const EngineApi& api() const { return *api_; }

    TempFolder folder;
    AppSettings settings;

private:
    const EngineApi* api_ = nullptr;
};

}  // namespace pelorvant::testing
