#include "ScaleVolume.h"

#include <algorithm>

#include "WaveFormat.h"

namespace audio {

void ScaleVolume(std::uint8_t* wave, std::size_t size, std::int32_t percent) {
  const std::size_t dataEnd = WaveDataEnd(wave, size);
  // An odd last byte is half a sample and stays as it is.
  for (std::size_t offset = kWaveHeaderBytes; offset + 2 <= dataEnd; offset += 2) {
    const auto sample = static_cast<std::int16_t>(wave[offset] | wave[offset + 1] << 8);
    const std::int32_t scaled = std::clamp(sample * percent / 100, -32768, 32767);
    wave[offset] = static_cast<std::uint8_t>(scaled);
    wave[offset + 1] = static_cast<std::uint8_t>(scaled >> 8);
  }
}

}  // namespace audio
