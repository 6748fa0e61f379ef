// The whole way from the notation to samples: read the kana, have espeak-ng
// speak them at the speed asked for, bring the speech to the images' rate.
#pragma once

#include <cstdint>
#include <vector>

#include "Voices.h"

namespace engine {

struct SpokenKana {
  int code = 0;                       // 0, or the engine's error code
  std::vector<std::int16_t> samples;  // at kWaveSampleRate
};

// `text` may be null; `speed` outside 50..300 is held to that range.
SpokenKana SpeakKana(const char* text, int speed, const VoiceProfile& voice);

}  // namespace engine
