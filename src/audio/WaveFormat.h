// The layout of the engine's WAV images and of the output file, and the
// little-endian fields the program reads and rewrites in them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace audio {

inline constexpr std::size_t kWaveHeaderBytes = 44;
inline constexpr std::size_t kRiffSizeOffset = 4;
inline constexpr std::size_t kDataSizeOffset = 40;
// 8000 samples a second, 16 bits each, one channel.
inline constexpr std::int32_t kBytesPerMillisecond = 16;
// The size fields are 32 bits wide: a file may not grow past what they hold.
inline constexpr std::uint64_t kMaxWaveFileBytes = std::uint64_t{1} << 32;

inline std::uint32_t ReadLe32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
         static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

inline void WriteLe32(std::uint8_t* bytes, std::uint32_t value) {
  bytes[0] = static_cast<std::uint8_t>(value);
  bytes[1] = static_cast<std::uint8_t>(value >> 8);
  bytes[2] = static_cast<std::uint8_t>(value >> 16);
  bytes[3] = static_cast<std::uint8_t>(value >> 24);
}

// The end of an image's sound data as its data size field gives it, but
// never past the image itself; 0 for an image too short to hold a header.
std::size_t WaveDataEnd(const std::uint8_t* wave, std::size_t size);

// A 44-byte header for 8000 Hz mono 16-bit PCM with both size fields 0, for
// a file that must hold a header although the engine never delivered one.
std::array<std::uint8_t, kWaveHeaderBytes> CanonicalWaveHeader();

// True for the 44-byte RIFF/WAVE layout: RIFF, WAVE, a 16-byte fmt chunk and
// the data chunk right after it.
bool HasCanonicalLayout(const std::uint8_t* header);

}  // namespace audio
