// WAV images and file fields as the tests build and read them, written out
// independently of the code under test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace audiotest {

// The image an engine would deliver: a canonical 8000 Hz mono 16-bit header
// whose size fields match the samples, then the samples.
inline std::vector<std::uint8_t> MakeImage(const std::vector<std::int16_t>& samples) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> image(44 + dataBytes);
  auto put32 = [&image](std::size_t offset, std::uint32_t value) {
    for (std::size_t index = 0; index < 4; ++index) {
      image[offset + index] = static_cast<std::uint8_t>(value >> (8 * index));
    }
  };
  auto putText = [&image](std::size_t offset, const char* text) {
    for (std::size_t index = 0; index < 4; ++index)
      image[offset + index] = static_cast<std::uint8_t>(text[index]);
  };
  putText(0, "RIFF");
  put32(4, 36 + dataBytes);
  putText(8, "WAVE");
  putText(12, "fmt ");
  put32(16, 16);
  put32(20, 1 | 1 << 16);  // PCM, one channel
  put32(24, 8000);
  put32(28, 16000);
  put32(32, 2 | 16 << 16);  // block align 2, 16 bits
  putText(36, "data");
  put32(40, dataBytes);
  for (std::size_t index = 0; index < samples.size(); ++index) {
    const auto sample = static_cast<std::uint16_t>(samples[index]);
    image[44 + 2 * index] = static_cast<std::uint8_t>(sample);
    image[45 + 2 * index] = static_cast<std::uint8_t>(sample >> 8);
  }
  return image;
}

// The little-endian bytes of the samples, as they lie in an image or a file.
inline std::string SampleBytes(const std::vector<std::int16_t>& samples) {
  std::string bytes;
  for (std::int16_t sample : samples) {
    bytes.push_back(static_cast<char>(sample));
    bytes.push_back(static_cast<char>(static_cast<std::uint16_t>(sample) >> 8));
  }
  return bytes;
}

inline std::string AsString(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

inline std::uint32_t Field32(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int index = 3; index >= 0; --index) {
    value =
        value << 8 | static_cast<std::uint8_t>(bytes.at(offset + static_cast<std::size_t>(index)));
  }
  return value;
}

inline std::uint32_t Field32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return Field32(AsString(bytes), offset);
}

}  // namespace audiotest
