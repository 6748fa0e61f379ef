#include "EngineLibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "TestSupport.h"

namespace enginetest {

std::filesystem::path BundledEngine(const std::string& voice) {
  return testsupport::BuildDirectory() / "dll" / voice / "AquesTalk.dll";
}

EngineLibrary::EngineLibrary(const std::filesystem::path& file) {
  handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
  synthe = reinterpret_cast<decltype(synthe)>(dlsym(handle, "AquesTalk_Synthe"));
  freeWave = reinterpret_cast<decltype(freeWave)>(dlsym(handle, "AquesTalk_FreeWave"));
  if (synthe == nullptr || freeWave == nullptr) {
    dlclose(handle);
    throw std::runtime_error("an entry point is missing");
  }
}

EngineLibrary::~EngineLibrary() { dlclose(handle); }

Synthesis EngineLibrary::Synthesize(const char* text, int speed) const {
  Synthesis synthesis;
  unsigned char* image = synthe(text, speed, &synthesis.codeSlot);
  if (image != nullptr) {
    synthesis.hasImage = true;
    if (synthesis.codeSlot > 0) synthesis.image.assign(image, image + synthesis.codeSlot);
    freeWave(image);
  }
  return synthesis;
}

std::uint32_t LittleEndian(const std::vector<std::uint8_t>& bytes, std::size_t offset, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = (value << 8) | bytes.at(offset + i);
  return value;
}

std::vector<std::int16_t> Samples(const Synthesis& synthesis) {
  std::vector<std::int16_t> samples;
  for (std::size_t at = 44; at + 1 < synthesis.image.size(); at += 2) {
    samples.push_back(static_cast<std::int16_t>(LittleEndian(synthesis.image, at, 2)));
  }
  return samples;
}

double Seconds(const Synthesis& synthesis) {
  return synthesis.image.size() < 44 ? 0.0 : (synthesis.image.size() - 44) / 16000.0;
}

double Loudness(const std::vector<std::int16_t>& samples) {
  if (samples.empty()) return 0.0;
  double energy = 0.0;
  for (std::int16_t sample : samples) energy += static_cast<double>(sample) * sample;
  return std::sqrt(energy / samples.size());
}

double MedianPitch(const std::vector<std::int16_t>& samples) {
  constexpr int kRate = 8000;
  constexpr std::size_t kFrame = 320;  // 40 ms
  constexpr int kShortestLag = kRate / 400;
  constexpr int kLongestLag = kRate / 60;
  std::vector<double> pitches;
  for (std::size_t start = 0; start + kFrame + kLongestLag < samples.size(); start += kFrame / 2) {
    std::vector<double> frame(samples.begin() + start, samples.begin() + start + kFrame + kLongestLag);
    if (Loudness(std::vector<std::int16_t>(samples.begin() + start, samples.begin() + start + kFrame)) < 300) {
      continue;
    }
    std::vector<double> correlation(kLongestLag + 1, 0.0);
    for (int lag = kShortestLag; lag <= kLongestLag; ++lag) {
      double product = 0, energyA = 0, energyB = 0;
      for (std::size_t i = 0; i < kFrame; ++i) {
        product += frame[i] * frame[i + lag];
        energyA += frame[i] * frame[i];
        energyB += frame[i + lag] * frame[i + lag];
      }
      correlation[lag] = product / std::sqrt(energyA * energyB + 1.0);
    }
    const double best = *std::max_element(correlation.begin() + kShortestLag, correlation.end());
    if (best < 0.6) continue;
    // The shortest lag that comes close to the best one is the period; its
    // multiples correlate as well.
    int period = kShortestLag;
    while (correlation[period] < 0.9 * best) ++period;
    // Refine to the local peak and interpolate between its neighbours.
    while (period < kLongestLag && correlation[period + 1] > correlation[period]) ++period;
    double exact = period;
    if (period > kShortestLag && period < kLongestLag) {
      const double left = correlation[period - 1], middle = correlation[period], right = correlation[period + 1];
      const double bend = left - 2 * middle + right;
      if (bend < 0) exact += 0.5 * (left - right) / bend;
    }
    pitches.push_back(kRate / exact);
  }
  if (pitches.empty()) return 0.0;
  std::nth_element(pitches.begin(), pitches.begin() + pitches.size() / 2, pitches.end());
  return pitches[pitches.size() / 2];
}

}  // namespace enginetest
