#pragma once
// The real engine with the bundled sample timetable loaded as one set, in a temporary data
// folder with a fresh INI store, and the object names of that set.

#include "app/core/AppSettings.h"
#include "app/core/EngineBinding.h"
#include "app/core/SystemHooks.h"
#include "app/core/TimetableData.h"
#include "app/shell/EngineObjectNames.h"

#include "platform/services/registry/Registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace pelorvant::testing {

class SilentNotice final : public UserNotice {
public:
    void showMessage(std::u16string_view text, std::u16string_view) override {
        shown.emplace_back(text);
    }
    bool askYesNo(std::u16string_view, std::u16string_view) override { return false; }
    std::vector<std::u16string> shown;
};

class SampleNetwork {
public:
    SampleNetwork() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "pelorvant-box-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr)
            folder_ = pattern;
        api_ = &bindEngineLibrary(std::filesystem::path(TRASA_LIBRARY_PATH).parent_path());
        settings_.programFolder = folder_ / "program";
        settings_.dataFolder = folder_ / "data";
        std::filesystem::create_directories(settings_.dataFolder);
        std::filesystem::copy_file(TRASA_SAMPLE_PATH, settings_.dataFolder / "sample.jz");
        data_ = std::make_unique<TimetableData>(*api_, settings_, registry_, notice_);
        ok_ = data_->createEngine();
        if (!ok_)
            return;
        data_->loadHeaders();
        std::vector<std::int32_t> all;
        for (std::size_t i = 0; i < data_->headers().size(); ++i)
            all.push_back(static_cast<std::int32_t>(i));
        std::int32_t failing = -1;
        ok_ = !all.empty() &&
              api_->api_nactiSestavuJizdnichRadu(all.data(), static_cast<std::int32_t>(all.size()),
                                                 &set_, &failing, 0) == ENGINE_OK &&
              set_ >= 0;
        names_ = std::make_unique<EngineObjectNames>(*api_, *data_, set_);
    }
    ~SampleNetwork() {
        if (set_ >= 0)
            api_->api_zrusSestavuJizdnichRadu(set_);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    bool ok() const { return ok_; }
    const EngineApi& api() const { return *api_; }
    TimetableData& data() { return *data_; }
    EngineObjectNames& names() { return *names_; }
    std::int32_t set() const { return set_; }

private:
    std::filesystem::path folder_;
    const EngineApi* api_ = nullptr;
    AppSettings settings_;
    platform::services::MemoryRegistry registry_;
    SilentNotice notice_;
    std::unique_ptr<TimetableData> data_;
    std::unique_ptr<EngineObjectNames> names_;
    std::int32_t set_ = -1;
    bool ok_ = false;
};

}  // namespace pelorvant::testing
