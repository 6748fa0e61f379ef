// A copy of the bundled engine loaded the way the program loads it, and what
// the tests read from its images.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace enginetest {

// The bundled engine of a voice folder in the build: dll/<voice>/AquesTalk.dll.
std::filesystem::path BundledEngine(const std::string& voice = "default");

// One call of AquesTalk_Synthe: the code slot's value and a copy of the image,
// which has already gone back through AquesTalk_FreeWave.
struct Synthesis {
  bool hasImage = false;
  int codeSlot = 0;
  std::vector<std::uint8_t> image;
};

struct EngineLibrary {
  explicit EngineLibrary(const std::filesystem::path& file);
  ~EngineLibrary();
  EngineLibrary(const EngineLibrary&) = delete;
  EngineLibrary& operator=(const EngineLibrary&) = delete;

  // `text` is handed over as it is: Shift-JIS bytes, NUL-terminated.
  Synthesis Synthesize(const char* text, int speed = 100) const;

  void* handle = nullptr;
  unsigned char* (*synthe)(const char*, int, int*) = nullptr;
  void (*freeWave)(unsigned char*) = nullptr;
};

std::uint32_t LittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t offset, int width);

// The 16-bit samples from byte 44 on.
std::vector<std::int16_t> Samples(const Synthesis& synthesis);

// Length of the sound at 8000 samples per second.
double Seconds(const Synthesis& synthesis);

// Root mean square of the samples, over the whole of them.
double Loudness(const std::vector<std::int16_t>& samples);

// The median fundamental frequency (Hz) of the voiced 40 ms frames, by
// autocorrelation at 8000 samples per second; 0 when nothing is voiced.
double MedianPitch(const std::vector<std::int16_t>& samples);

}  // namespace enginetest
