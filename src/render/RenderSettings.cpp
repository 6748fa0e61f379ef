#include "RenderSettings.h"

#include <cstdint>
#include <limits>

namespace render {

std::int32_t ReadDecimal(std::string_view text) {
  std::size_t i = 0;
  auto isSpace = [](char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); };
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulate in 64 bits and stop growing once past the 32-bit range.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (magnitude <= kLimit) magnitude = magnitude * 10 + (text[i] - '0');
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

std::int32_t ClampSetting(std::int32_t value, SettingRange range) {
  if (value == 0) return 100;
  if (value < range.min) return range.min;
  if (value > range.max) return range.max;
  return value;
}

bool ApplyMessageLevel(std::int32_t level, RenderSettings& settings) {
  if (level < 0 || level > 3) return false;
  settings.ShowComments = (level & 1) != 0;
  settings.ShowControl = (level & 2) != 0;
  return true;
}

}  // namespace render
