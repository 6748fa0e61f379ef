// The settings a run speaks with, and the value and clamp rules shared by the
// command-line options and the control statements.
#pragma once

#include <cstdint>
#include <string_view>

namespace render {

struct RenderSettings {
  std::int32_t BaseSpeed = 100;
  std::int32_t RelativeSpeed = 100;
  std::int32_t BaseVolume = 100;
  std::int32_t RelativeVolume = 100;
  bool ShowComments = true;
  bool ShowControl = true;
  bool MessageLevelLocked = false;
  bool FileOutput = false;
  bool AppendOutput = false;
};

struct SettingRange {
  std::int32_t min;
  std::int32_t max;
};
inline constexpr SettingRange kSpeedRange{50, 300};
inline constexpr SettingRange kVolumeRange{1, 600};

// A signed decimal integer: leading white space and one sign are skipped,
// reading stops at the first non-digit, no digits give 0, and a value beyond
// the signed 32-bit range is held at the nearest limit.
std::int32_t ReadDecimal(std::string_view text);

// 0 restores the start value 100; values outside the range take its nearest end.
std::int32_t ClampSetting(std::int32_t value, SettingRange range);

// Message levels 0 to 3 set both switches; returns false (and changes
// nothing) for any other level.
bool ApplyMessageLevel(std::int32_t level, RenderSettings& settings);

}  // namespace render
