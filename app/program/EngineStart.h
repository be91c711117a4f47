#pragma once
// Binding the engine for the start-up: the failure as the text of its fatal-error box.
#include "app/core/EngineBinding.h"

#include <filesystem>
#include <string>

namespace pelorvant {

// The process's engine exports, or null with `failure` set to the box's text.
const EngineApi* bindEngineForStartUp(const std::filesystem::path& programFolder, std::u16string& failure);

}  // namespace pelorvant
