#include "WaveFormat.h"

#include <cstring>

namespace audio {

std::size_t WaveDataEnd(const std::uint8_t* wave, std::size_t size) {
  if (size < kWaveHeaderBytes) return 0;
  const std::size_t dataBytes = ReadLe32(wave + kDataSizeOffset);
  const std::size_t available = size - kWaveHeaderBytes;
  return kWaveHeaderBytes + (dataBytes < available ? dataBytes : available);
}

std::array<std::uint8_t, kWaveHeaderBytes> CanonicalWaveHeader() {
  constexpr std::uint32_t kSampleRate = 8000;
  constexpr std::uint32_t kChannels = 1;
  constexpr std::uint32_t kBitsPerSample = 16;
  constexpr std::uint32_t kBlockAlign = kChannels * kBitsPerSample / 8;
  std::array<std::uint8_t, kWaveHeaderBytes> header{};
  std::memcpy(header.data(), "RIFF", 4);
  std::memcpy(header.data() + 8, "WAVEfmt ", 8);
  WriteLe32(header.data() + 16, 16);                   // fmt chunk size
  WriteLe32(header.data() + 20, 1 | kChannels << 16);  // PCM, channels
  WriteLe32(header.data() + 24, kSampleRate);
  WriteLe32(header.data() + 28, kSampleRate * kBlockAlign);  // bytes per second
  WriteLe32(header.data() + 32, kBlockAlign | kBitsPerSample << 16);
  std::memcpy(header.data() + 36, "data", 4);
  return header;
}

bool HasCanonicalLayout(const std::uint8_t* header) {
  return std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVEfmt ", 8) == 0 &&
         ReadLe32(header + 16) == 16 && std::memcmp(header + 36, "data", 4) == 0;
}

}  // namespace audio
