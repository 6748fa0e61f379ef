#include "Speech.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <clocale>

namespace engine {
namespace {

// The buffer the synthesis callback fills; set only for the length of one
// espeak_Synth call.
std::vector<std::int16_t>* collectingSamples = nullptr;

int CollectSamples(short* wave, int count, espeak_EVENT*) {
  if (wave != nullptr && count > 0 && collectingSamples != nullptr) {
    collectingSamples->insert(collectingSamples->end(), wave, wave + count);
  }
  return 0;  // go on
}

// espeak-ng knows its data folder once it has been started, by this copy or
// by an earlier one.
bool EspeakStarted() {
  const char* dataPath = nullptr;
  espeak_Info(&dataPath);
  return dataPath != nullptr && dataPath[0] != '\0';
}

bool StartEspeak() {
  // Another copy of the engine may have started espeak-ng already.
  if (EspeakStarted()) return true;
  // espeak-ng sets the process's character-type locale to UTF-8 for itself;
  // the program that loaded the engine keeps its own. espeak-ng's reading of
  // UTF-8 text does not depend on it.
  const char* current = std::setlocale(LC_CTYPE, nullptr);
  const std::string savedLocale = current != nullptr ? current : "C";
  espeak_ng_InitializePath(nullptr);  // Debian's data folder
  espeak_ng_ERROR_CONTEXT context = nullptr;
  espeak_ng_STATUS status = espeak_ng_Initialize(&context);
  if (context != nullptr) espeak_ng_ClearErrorContext(&context);
  if (status == ENS_OK) status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
  std::setlocale(LC_CTYPE, savedLocale.c_str());
  return status == ENS_OK;
}

bool EspeakReady() {
  static const bool ready = StartEspeak();
  return ready;
}

// Choosing the variant costs more than a short phrase takes to speak, so it
// is done only when another voice is in place: when this copy speaks for the
// first time, or when another copy has spoken since. espeak-ng keeps the
// pitch and range each voice sets, and no two voices share both.
bool VoiceInPlace(const VoiceProfile& voice) {
  static bool chosenOnce = false;
  const bool inPlace = chosenOnce && espeak_GetParameter(espeakPITCH, 1) == voice.pitch &&
                       espeak_GetParameter(espeakRANGE, 1) == voice.pitchRange;
  chosenOnce = true;
  return inPlace;
}

}  // namespace

bool SpeakText(const std::string& text, const VoiceProfile& voice, int wordsPerMinute,
               std::vector<std::int16_t>& samples) {
  if (!EspeakReady()) return false;
  // Another copy of the engine may have spoken since: its callback, voice and
  // settings are replaced by this copy's.
  espeak_SetSynthCallback(CollectSamples);
  if (!VoiceInPlace(voice) && espeak_SetVoiceByName(voice.espeakVoice) != EE_OK) return false;
  // Setting them anew also undoes what the embedded commands of the last
  // text changed.
  espeak_SetParameter(espeakPITCH, voice.pitch, 0);
  espeak_SetParameter(espeakRANGE, voice.pitchRange, 0);
  espeak_SetParameter(espeakRATE, wordsPerMinute, 0);
  espeak_SetParameter(espeakVOLUME, 100, 0);
  espeak_SetParameter(espeakWORDGAP, 0, 0);
  espeak_SetParameter(espeakPUNCTUATION, espeakPUNCT_NONE, 0);

  collectingSamples = &samples;
  const espeak_ERROR result = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                           espeakCHARS_UTF8, nullptr, nullptr);
  collectingSamples = nullptr;
  return result == EE_OK;
}

int SpeechSampleRate() { return EspeakReady() ? espeak_ng_GetSampleRate() : 0; }

}  // namespace engine
