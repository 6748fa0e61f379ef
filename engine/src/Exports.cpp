// The engine's two entry points, the only names the library shows.
#include <cstdlib>
#include <new>

#include "EngineCodes.h"
#include "SpeakKana.h"
#include "Voices.h"
#include "WaveImage.h"

#if defined(_WIN32)
#define AQUESTALK_EXPORT __declspec(dllexport)
#define AQUESTALK_CALL __stdcall
#else
#define AQUESTALK_EXPORT __attribute__((visibility("default")))
#define AQUESTALK_CALL
#endif

extern "C" {

// Speaks a NUL-terminated Shift-JIS kana text at `speed` (50..300, 100
// normal). On success the result is a WAV image and *size its size in bytes;
// on failure the result is null and *size the error code. Without a code
// slot there is nowhere to answer: nothing is done.
AQUESTALK_EXPORT unsigned char* AQUESTALK_CALL AquesTalk_Synthe(const char* koe, int speed,
                                                                int* size) {
  if (size == nullptr) return nullptr;
  // Nothing may escape into a caller that knows no C++.
  try {
    static engine::SpeechBuffers buffers;
    const int code = engine::SpeakKana(koe, speed, engine::LoadedVoice(), buffers);
    if (code != 0) {
      *size = code;
      return nullptr;
    }
    unsigned char* image = engine::MakeWaveImage(buffers.wave, size);
    if (image == nullptr) *size = engine::kOutOfMemory;
    return image;
  } catch (const std::bad_alloc&) {
    *size = engine::kOutOfMemory;
  } catch (...) {
    *size = engine::kOtherError;
  }
  return nullptr;
}

// Releases an image returned by AquesTalk_Synthe; null is ignored.
AQUESTALK_EXPORT void AQUESTALK_CALL AquesTalk_FreeWave(unsigned char* wav) { std::free(wav); }

}  // extern "C"
