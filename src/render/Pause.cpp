#include "Interpreter.h"
#include "audio/WriteSilence.h"
#include "platform/Platform.h"

namespace render {

std::uint32_t ScalePause(std::uint32_t milliseconds, const RenderSettings& settings) {
  // The wrap-around of the products is part of the rule: callers rely on the
  // same lengths whatever the values.
  const auto baseSpeed = static_cast<std::uint32_t>(settings.BaseSpeed);
  const auto relativeSpeed = static_cast<std::uint32_t>(settings.RelativeSpeed);
  return milliseconds * 100u / baseSpeed * 100u / relativeSpeed;
}

void InsertPause(std::uint32_t milliseconds, const SoundOutput& output) {
  if (output.file != nullptr) {
    audio::WriteSilence(*output.file, *output.silence, static_cast<std::int32_t>(milliseconds));
  } else if (milliseconds > 0) {
    platform::HoldThread(milliseconds);
  }
}

}  // namespace render
