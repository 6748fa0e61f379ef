#include <string>

#include "Interpreter.h"
#include "InterpreterMessages.h"
#include "platform/Platform.h"

namespace render {
namespace {

// The four numeric settings, each with its range and the label it is shown with.
struct NumericSetting {
  std::int32_t RenderSettings::*field;
  SettingRange range;
  const char* label;
};

NumericSetting NumericSettingFor(char kind) {
  switch (kind) {
    case 'S': return {&RenderSettings::BaseSpeed, kSpeedRange, kBaseSpeedLabel};
    case 's': return {&RenderSettings::RelativeSpeed, kSpeedRange, kRelativeSpeedLabel};
    case 'V': return {&RenderSettings::BaseVolume, kVolumeRange, kBaseVolumeLabel};
    default: return {&RenderSettings::RelativeVolume, kVolumeRange, kRelativeVolumeLabel};
  }
}

void SetNumeric(char kind, std::string_view payload, RenderSettings& settings) {
  const NumericSetting setting = NumericSettingFor(kind);
  std::int32_t& value = settings.*setting.field;
  value = ClampSetting(ReadDecimal(payload), setting.range);
  // The value shown is the one stored, after clamping.
  if (settings.ShowControl) platform::WriteConsoleLine(setting.label + std::to_string(value));
}

void SetMessageLevel(std::string_view payload, RenderSettings& settings) {
  const std::int32_t level = ReadDecimal(payload);
  if (!ApplyMessageLevel(level, settings)) return;
  // Levels that show control messages announce themselves.
  if (level == 2) platform::WriteConsoleLine(std::string(kMessageLevelLabel) + kControlMessagesOn);
  if (level == 3) platform::WriteConsoleLine(std::string(kMessageLevelLabel) + kAllMessagesOn);
}

}  // namespace

void RunStatements(const script::StatementList& statements, RenderSettings& settings,
                   EngineBinding& binding, const VoicePaths& voicePaths, const SoundOutput& output) {
  PendingSpeech pending;
  for (std::size_t index = 0; index < statements.Count(); ++index) {
    const std::string_view statement = statements.At(index);
    const std::string_view payload = statement.substr(1);
    switch (statement[0]) {
      case 'S':
      case 's':
      case 'V':
      case 'v':
        SetNumeric(statement[0], payload, settings);
        break;
      case 'B':
      case 'b': {
        const std::int32_t milliseconds = ReadDecimal(payload);
        if (milliseconds <= 0) break;
        const auto pause = static_cast<std::uint32_t>(milliseconds);
        InsertPause(statement[0] == 'b' ? ScalePause(pause, settings) : pause, output);
        break;
      }
      case 'm':
        if (settings.MessageLevelLocked) break;
        [[fallthrough]];
      case 'M':
        SetMessageLevel(payload, settings);
        break;
      case 'c':
        if (settings.ShowComments) platform::WriteConsoleLine(payload);
        break;
      case 'D':
      case 'd':
        SwitchVoice(binding, voicePaths.exeDirectory, voicePaths.defaultEnginePath, statement[0],
                    payload, settings.ShowControl);
        break;
      default:
        FlushPending(statement, pending, settings, binding, output);
        break;
    }
  }
}

}  // namespace render
