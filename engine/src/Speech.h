// espeak-ng, called as a library: text in, samples out, all in memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Voices.h"

namespace engine {

// Speaks `text` (UTF-8, with espeak-ng's embedded commands) with the voice at
// the speaking rate `wordsPerMinute`, appending 16-bit samples at
// SpeechSampleRate(). False when espeak-ng cannot be started or refuses.
bool SpeakText(const std::string& text, const VoiceProfile& voice, int wordsPerMinute,
               std::vector<std::int16_t>& samples);

// The rate of espeak-ng's samples (22050 Hz); 0 before espeak-ng is started.
int SpeechSampleRate();

}  // namespace engine
