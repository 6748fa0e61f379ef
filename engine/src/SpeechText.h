// Writes the morae read from the notation as the text espeak-ng's Japanese
// voice reads best: hiragana in UTF-8, the marks as Japanese punctuation and
// spaces, and embedded commands for the pitch accent, the question rise and
// the whispered vowels.
#pragma once

#include <string>
#include <vector>

#include "KanaReader.h"

namespace engine {

// basePitch is the voice's espeak-ng pitch (0..100); the accent moves the
// pitch around it.
std::string SpeechText(const std::vector<Mora>& morae, int basePitch);

}  // namespace engine
