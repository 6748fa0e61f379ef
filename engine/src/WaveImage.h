// The engine's answer: a canonical WAV file image in memory.
#pragma once

#include <cstdint>
#include <vector>

namespace engine {

inline constexpr int kWaveSampleRate = 8000;
inline constexpr std::size_t kWaveHeaderBytes = 44;

// A malloc'd image of 8000 Hz mono 16-bit samples behind a 44-byte header,
// its size in bytes in *size; null when memory runs out. AquesTalk_FreeWave
// releases it.
unsigned char* MakeWaveImage(const std::vector<std::int16_t>& samples, int* size);

}  // namespace engine
