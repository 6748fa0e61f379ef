#include "Voices.h"

#include <string>

#include "LibraryFolder.h"

namespace engine {
namespace {

// Two female voices and two male ones besides the default, each its own
// espeak-ng variant and pitch so that they are told apart at once. No two
// share both pitch and range: that pair tells espeak-ng's current voice.
constexpr VoiceProfile kVoices[] = {
    {"default", "ja+f2", 50, 52},
    {"f1", "ja+f1", 38, 55},
    {"f2", "ja+f5", 64, 60},
    {"m1", "ja+m3", 50, 48},
    {"m2", "ja+m1", 36, 45},
};

}  // namespace

const VoiceProfile& VoiceForFolder(std::string_view folder) {
  for (const VoiceProfile& voice : kVoices) {
    if (voice.folder == folder) return voice;
  }
  return kVoices[0];
}

const VoiceProfile& LoadedVoice() {
  // A copy of the library never moves, so its folder is looked up once.
  static const VoiceProfile& voice = VoiceForFolder(LibraryFolderName());
  return voice;
}

}  // namespace engine
