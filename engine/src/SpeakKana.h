// The whole way from the notation to samples: read the kana, have espeak-ng
// speak them at the speed asked for, bring the speech to the images' rate.
#pragma once

#include <cstdint>
#include <vector>

#include "Voices.h"

namespace engine {

// The sample buffers of one copy of the engine, kept from call to call so
// that a long script does not cost fresh memory, and page faults, for every
// phrase.
struct SpeechBuffers {
  std::vector<std::int16_t> speech;  // espeak-ng's samples at the asked speed
  std::vector<std::int16_t> normal;  // the same text at the normal speed, for its length
  std::vector<std::int16_t> wave;    // the result, at kWaveSampleRate
};

// Speaks `text` into buffers.wave and returns 0, or returns the engine's error
// code. `text` may be null; `speed` outside 50..300 is held to that range.
int SpeakKana(const char* text, int speed, const VoiceProfile& voice, SpeechBuffers& buffers);

}  // namespace engine
