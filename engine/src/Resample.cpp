#include "Resample.h"

#include <soxr.h>

namespace engine {

bool Resample(const std::vector<std::int16_t>& samples, int fromRate, int toRate,
              std::vector<std::int16_t>& resampled) {
  resampled.clear();
  if (fromRate <= 0 || toRate <= 0) return false;
  if (samples.empty()) return true;
  resampled.resize(samples.size() * static_cast<std::size_t>(toRate) /
                   static_cast<std::size_t>(fromRate) + 16);
  const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
  // Speech at 8 kHz: high quality is all the ear can tell, and costs a
  // fraction of what espeak-ng spends making the speech.
  const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
  std::size_t written = 0;
  const soxr_error_t error =
      soxr_oneshot(fromRate, toRate, 1, samples.data(), samples.size(), nullptr, resampled.data(),
                   resampled.size(), &written, &io, &quality, nullptr);
  if (error != nullptr) return false;
  resampled.resize(written);
  return true;
}

}  // namespace engine
