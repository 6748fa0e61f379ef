#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#include <mmsystem.h>

#include "../Platform.h"

namespace platform {

void PlayWaveImage(const std::uint8_t* image, [[maybe_unused]] std::size_t size) {
  // The image carries its own length in its header. Without SND_ASYNC the
  // call returns when the sound has been heard; a missing device makes it
  // return at once, and the phrase passes in silence.
  PlaySoundA(reinterpret_cast<LPCSTR>(image), nullptr, SND_MEMORY);
}

}  // namespace platform
