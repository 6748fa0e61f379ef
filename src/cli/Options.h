// The command-line option scan.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "render/RenderSettings.h"

namespace cli {

struct CommandLine {
  bool usageRequested = false;               // -? or -h: show the usage and stop
  std::optional<std::string> inputArgument;  // the last plain argument
  std::string outputPath;                    // from -f:name
};

// True when the argument is an option rather than the input.
bool IsOption(const std::string& argument);

// Scans the arguments (without the program's name) left to right, setting the
// options into `settings`.
CommandLine ScanOptions(const std::vector<std::string>& arguments, render::RenderSettings& settings);

}  // namespace cli
