#include "WaveImage.h"

#include <bit>
#include <cstdlib>
#include <cstring>

namespace engine {
namespace {

unsigned char* PutBytes(unsigned char* at, const char* bytes) {
  std::memcpy(at, bytes, 4);
  return at + 4;
}

unsigned char* PutLittleEndian(unsigned char* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) *at++ = static_cast<unsigned char>(value >> (8 * i));
  return at;
}

}  // namespace

unsigned char* MakeWaveImage(const std::vector<std::int16_t>& samples, int* size) {
  constexpr std::uint32_t kChannels = 1;
  constexpr std::uint32_t kBitsPerSample = 16;
  constexpr std::uint32_t kBlockAlign = kChannels * kBitsPerSample / 8;
  const std::size_t dataBytes = samples.size() * kBlockAlign;
  const std::size_t imageBytes = kWaveHeaderBytes + dataBytes;
  auto* image = static_cast<unsigned char*>(std::malloc(imageBytes));
  if (image == nullptr) return nullptr;

  unsigned char* at = image;
  at = PutBytes(at, "RIFF");
  at = PutLittleEndian(at, static_cast<std::uint32_t>(imageBytes - 8), 4);
  at = PutBytes(at, "WAVE");
  at = PutBytes(at, "fmt ");
  at = PutLittleEndian(at, 16, 4);  // format chunk size
  at = PutLittleEndian(at, 1, 2);   // PCM
  at = PutLittleEndian(at, kChannels, 2);
  at = PutLittleEndian(at, kWaveSampleRate, 4);
  at = PutLittleEndian(at, kWaveSampleRate * kBlockAlign, 4);  // bytes per second
  at = PutLittleEndian(at, kBlockAlign, 2);
  at = PutLittleEndian(at, kBitsPerSample, 2);
  at = PutBytes(at, "data");
  at = PutLittleEndian(at, static_cast<std::uint32_t>(dataBytes), 4);
  if constexpr (std::endian::native == std::endian::little) {
    if (dataBytes != 0) std::memcpy(at, samples.data(), dataBytes);
  } else {
    for (std::int16_t sample : samples) {
      at = PutLittleEndian(at, static_cast<std::uint16_t>(sample), 2);
    }
  }
  *size = static_cast<int>(imageBytes);
  return image;
}

}  // namespace engine
