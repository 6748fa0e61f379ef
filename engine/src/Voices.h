// The bundled voices. Every voice folder holds the same library; the name of
// the folder it was loaded from picks the voice.
#pragma once

#include <string_view>

namespace engine {

struct VoiceProfile {
  std::string_view folder;  // the voice folder's name
  const char* espeakVoice;  // espeak-ng's Japanese voice with a variant
  int pitch;                // espeak-ng's base pitch, 0..100
  int pitchRange;           // espeak-ng's pitch range, 0..100
};

// The voice of a folder name; a name the engine does not know gets the
// default voice.
const VoiceProfile& VoiceForFolder(std::string_view folder);

// The voice of the folder this copy of the library was loaded from.
const VoiceProfile& LoadedVoice();

}  // namespace engine
