#include "SpeakKana.h"

#include <cstdlib>
#include <string>

#include "EngineCodes.h"
#include "KanaReader.h"
#include "Resample.h"
#include "Speech.h"
#include "SpeechText.h"
#include "Tempo.h"
#include "WaveImage.h"

namespace engine {
namespace {

// Within this share of the wanted length, espeak-ng's own rate is left alone.
constexpr std::size_t kLengthTolerance = 50;  // 1/50: 2 %

}  // namespace

int SpeakKana(const char* text, int speed, const VoiceProfile& voice, SpeechBuffers& buffers) {
  const KanaReading reading = ReadKana(text);
  if (reading.code != 0) return reading.code;
  const std::string speechText = SpeechText(reading.morae, voice.pitch);

  speed = ClampSpeed(speed);
  std::vector<std::int16_t>& speech = buffers.speech;
  speech.clear();
  if (!SpeakText(speechText, voice, WordsPerMinute(speed), speech)) return kOtherError;
  if (speech.empty()) return kNothingToSpeak;

  if (speed != kNormalSpeed) {
    // espeak-ng's rate gets close to the speed; the length at the normal
    // speed tells how far off it is, and time-scaling covers the rest.
    buffers.normal.clear();
    if (!SpeakText(speechText, voice, WordsPerMinute(kNormalSpeed), buffers.normal)) {
      return kOtherError;
    }
    const std::size_t wanted = buffers.normal.size() * kNormalSpeed / static_cast<std::size_t>(speed);
    const std::size_t difference =
        speech.size() > wanted ? speech.size() - wanted : wanted - speech.size();
    if (difference > wanted / kLengthTolerance) {
      speech = ScaleDuration(std::move(speech), SpeechSampleRate(), wanted);
    }
  }

  if (!Resample(speech, SpeechSampleRate(), kWaveSampleRate, buffers.wave)) return kOtherError;
  return buffers.wave.empty() ? kNothingToSpeak : 0;
}

}  // namespace engine
