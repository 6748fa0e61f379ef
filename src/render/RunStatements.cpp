#include <string>

#include "Interpreter.h"
#include "InterpreterMessages.h"
#include "platform/Platform.h"

namespace render {
namespace {

void SetClamped(std::int32_t& setting, std::string_view payload, SettingRange range,
                const char* label, bool showControl) {
  setting = ClampSetting(ReadDecimal(payload), range);
  if (showControl) platform::WriteConsoleLine(label + std::to_string(setting));
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
        SetClamped(settings.BaseSpeed, payload, kSpeedRange, kBaseSpeedLabel, settings.ShowControl);
        break;
      case 's':
        SetClamped(settings.RelativeSpeed, payload, kSpeedRange, kRelativeSpeedLabel,
                   settings.ShowControl);
        break;
      case 'V':
        SetClamped(settings.BaseVolume, payload, kVolumeRange, kBaseVolumeLabel, settings.ShowControl);
        break;
      case 'v':
        SetClamped(settings.RelativeVolume, payload, kVolumeRange, kRelativeVolumeLabel,
                   settings.ShowControl);
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
