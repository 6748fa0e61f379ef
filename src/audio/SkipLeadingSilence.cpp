#include "SkipLeadingSilence.h"

#include "WaveFormat.h"

namespace audio {

std::size_t SkipLeadingSilence(const std::uint8_t* wave, std::size_t size) {
  if (size < kWaveHeaderBytes) return size;
  std::size_t offset = kWaveHeaderBytes;
  while (size - offset >= 2 && wave[offset] == 0 && wave[offset + 1] == 0) offset += 2;
  return offset;
}

}  // namespace audio
