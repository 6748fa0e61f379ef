#include "PlayWave.h"

#include <cstring>

#include "SkipLeadingSilence.h"
#include "WaveFormat.h"
#include "platform/Platform.h"

namespace audio {

void PlayWave(std::uint8_t* wave, std::size_t size) {
  if (size < kWaveHeaderBytes) return;
  const std::uint32_t riffSize = ReadLe32(wave + kRiffSizeOffset);
  const std::uint32_t dataSize = ReadLe32(wave + kDataSizeOffset);
  // Trimmed in place: the engine's buffer is the only copy of the sound.
  const std::size_t start = SkipLeadingSilence(wave, size);
  const std::size_t soundBytes = size - start;
  std::memmove(wave + kWaveHeaderBytes, wave + start, soundBytes);
  WriteLe32(wave + kRiffSizeOffset, static_cast<std::uint32_t>(soundBytes + kWaveHeaderBytes - 8));
  WriteLe32(wave + kDataSizeOffset, static_cast<std::uint32_t>(soundBytes));
  platform::PlayWaveImage(wave, kWaveHeaderBytes + soundBytes);
  WriteLe32(wave + kRiffSizeOffset, riffSize);
  WriteLe32(wave + kDataSizeOffset, dataSize);
}

}  // namespace audio
