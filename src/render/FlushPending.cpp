#include <algorithm>

#include "EngineErrorText.h"
#include "Interpreter.h"
#include "InterpreterMessages.h"
#include "Recovery.h"
#include "audio/PlayWave.h"
#include "audio/ScaleVolume.h"
#include "audio/WriteWave.h"
#include "platform/Platform.h"

namespace render {
namespace {

// What a phrase kind does when its statement arrives.
struct KindRule {
  bool flushes;
  std::string_view terminator;  // put in front of the next text spoken
  std::uint32_t basePause;  // milliseconds at speed 100, 0 for none
};

KindRule RuleFor(char kind) {
  switch (kind) {
    case script::kFlushMarker: return {true, "", 0};
    case script::kKindComma: return {true, ",", 90};
    case script::kKindTouten: return {true, "、", 200};
    case script::kKindKuten: return {true, "。", 400};
    case script::kKindQuestion: return {true, "？", 0};
    default: return {false, "", 0};
  }
}

std::int32_t PhraseSpeed(const RenderSettings& settings) {
  return std::clamp(settings.BaseSpeed * settings.RelativeSpeed / 100, kSpeedRange.min,
                    kSpeedRange.max);
}

std::int32_t PhraseVolume(const RenderSettings& settings) {
  return std::clamp(settings.BaseVolume * settings.RelativeVolume / 100, kVolumeRange.min,
                    kVolumeRange.max);
}

// Speaks pendingText image by image until it is all spoken or the engine
// fails; on failure pendingText holds the error's text (empty for a code
// without one).
void SpeakPending(std::string& pendingText, std::int32_t speed, std::int32_t volume,
                  const EngineBinding& binding, const SoundOutput& output) {
  while (!pendingText.empty()) {
    std::int32_t codeSlot = 0;
    std::uint8_t* wave = SynthesizeWithRecovery(binding.synthe, &codeSlot, pendingText, speed);
    if (wave == nullptr) {
      pendingText = EngineErrorText(codeSlot);
      return;
    }
    // A negative size from an engine outside its contract is read as empty.
    const std::size_t size = codeSlot > 0 ? static_cast<std::size_t>(codeSlot) : 0;
    if (volume != 100) audio::ScaleVolume(wave, size, volume);
    if (output.file != nullptr) {
      audio::WriteWave(*output.file, wave, size);
    } else {
      audio::PlayWave(wave, size);
    }
    ReleaseWave(binding, wave);
  }
}

}  // namespace

void FlushPending(std::string_view statement, PendingSpeech& pending, const RenderSettings& settings,
                  const EngineBinding& binding, const SoundOutput& output) {
  pending.PendingText.append(statement.substr(1));
  const KindRule rule = RuleFor(statement[0]);
  if (!rule.flushes || pending.PendingText.empty()) return;

  if (settings.ShowControl) {
    platform::WriteConsoleLine(std::string(kPhoneticTextLabel) + pending.PendingText);
  }
  // The terminator of the previous flush goes in front of this text, so the
  // engine hears the sentence boundary.
  pending.PendingText.insert(0, pending.PendingTerminator);
  // Cleared and appended rather than assigned: GCC 12 at -O3 warns falsely
  // (-Wrestrict) on the assignment, which would stop a release build.
  pending.PendingTerminator.clear();
  pending.PendingTerminator.append(rule.terminator);

  SpeakPending(pending.PendingText, PhraseSpeed(settings), PhraseVolume(settings), binding, output);
  if (!pending.PendingText.empty()) {
    platform::WriteConsoleLine(std::string(kEngineErrorLabel) + pending.PendingText);
    pending.PendingText.clear();
    return;  // no pause after an error the user is told about
  }
  if (rule.basePause > 0) InsertPause(ScalePause(rule.basePause, settings), output);
}

}  // namespace render
