// Sample-rate conversion of espeak-ng's speech to the rate of the engine's
// images, through libsoxr.
#pragma once

#include <cstdint>
#include <vector>

namespace engine {

// Converts mono 16-bit samples from fromRate to toRate into `resampled`,
// whose memory is reused. False on failure.
bool Resample(const std::vector<std::int16_t>& samples, int fromRate, int toRate,
              std::vector<std::int16_t>& resampled);

}  // namespace engine
