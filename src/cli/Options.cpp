#include "Options.h"

#include <string_view>

#include "platform/Platform.h"

namespace cli {
namespace {

// The value after "-x:", when there is at least one byte of it.
std::optional<std::string_view> ColonValue(std::string_view argument) {
  if (argument.size() > 3 && argument[2] == ':') return argument.substr(3);
  return std::nullopt;
}

void ApplyMessageOption(std::string_view argument, render::RenderSettings& settings) {
  std::int32_t level = 3;  // "-m" alone, or "-m:" with nothing after it
  if (auto value = ColonValue(argument)) level = render::ReadDecimal(*value);
  if (render::ApplyMessageLevel(level, settings)) settings.MessageLevelLocked = true;
}

}  // namespace

bool IsOption(const std::string& argument) {
  if (argument.empty()) return false;
  if (argument[0] == '-') return true;
  if (argument[0] != '/') return false;
  // Where "/" starts every absolute path, "/x" and "/x:value" are options
  // and any longer argument is a path.
  if (platform::kPathSeparator == '/') return argument.size() <= 2 || argument[2] == ':';
  return true;
}

CommandLine ScanOptions(const std::vector<std::string>& arguments, render::RenderSettings& settings) {
  CommandLine commandLine;
  for (const std::string& argument : arguments) {
    if (!IsOption(argument)) {
      commandLine.inputArgument = argument;
      continue;
    }
    const char letter = argument.size() > 1 ? argument[1] : '\0';
    switch (letter) {
      case '?':
      case 'h':
        commandLine.usageRequested = true;
        return commandLine;
      case 'a':
        settings.AppendOutput = true;
        [[fallthrough]];
      case 'o':
        settings.FileOutput = true;
        break;
      case 'f':
        settings.FileOutput = true;
        if (auto value = ColonValue(argument)) commandLine.outputPath = *value;
        break;
      case 's':
        if (auto value = ColonValue(argument)) {
          settings.BaseSpeed = render::ClampSetting(render::ReadDecimal(*value), render::kSpeedRange);
        }
        break;
      case 'v':
        if (auto value = ColonValue(argument)) {
          settings.BaseVolume = render::ClampSetting(render::ReadDecimal(*value), render::kVolumeRange);
        }
        break;
      case 'm':
        ApplyMessageOption(argument, settings);
        break;
      default:
        break;  // unknown options are ignored without a message
    }
  }
  return commandLine;
}

}  // namespace cli
