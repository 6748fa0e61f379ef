#include "Tempo.h"

#include <sonic.h>

#include <algorithm>
#include <iterator>

namespace engine {
namespace {

struct RatePoint {
  int speed;
  int wordsPerMinute;
};

// Measured on sentences of everyday length with espeak-ng 1.51: its speech
// does not shorten in proportion to the rate (pauses and short consonants
// keep a minimum length), so the rate for each speed is read off this curve.
// Above 440 words per minute espeak-ng changes its way of speeding up and
// gets longer again; the fastest speeds are left to time-scaling.
constexpr RatePoint kRateCurve[] = {
    {50, 90},   {60, 110},  {75, 135},  {100, 175}, {125, 215}, {150, 255},
    {175, 295}, {200, 335}, {225, 370}, {250, 415}, {300, 440},
};

}  // namespace

int ClampSpeed(int speed) { return std::clamp(speed, kSlowestSpeed, kFastestSpeed); }

int WordsPerMinute(int speed) {
  speed = ClampSpeed(speed);
  const RatePoint* upper = std::begin(kRateCurve) + 1;
  while (upper + 1 != std::end(kRateCurve) && upper->speed < speed) ++upper;
  const RatePoint* lower = upper - 1;
  return lower->wordsPerMinute + (upper->wordsPerMinute - lower->wordsPerMinute) *
                                     (speed - lower->speed) / (upper->speed - lower->speed);
}

std::vector<std::int16_t> ScaleDuration(std::vector<std::int16_t> samples, int sampleRate,
                                        std::size_t wantedLength) {
  if (samples.empty() || wantedLength == 0) return samples;
  sonicStream stream = sonicCreateStream(sampleRate, 1);
  if (stream == nullptr) return samples;
  sonicSetSpeed(stream, static_cast<float>(samples.size()) / static_cast<float>(wantedLength));
  sonicSetQuality(stream, 1);
  std::vector<std::int16_t> scaled;
  if (sonicWriteShortToStream(stream, samples.data(), static_cast<int>(samples.size())) != 0 &&
      sonicFlushStream(stream) != 0) {
    scaled.resize(static_cast<std::size_t>(sonicSamplesAvailable(stream)));
    const int read = sonicReadShortFromStream(stream, scaled.data(), static_cast<int>(scaled.size()));
    scaled.resize(static_cast<std::size_t>(std::max(read, 0)));
  }
  sonicDestroyStream(stream);
  return scaled.empty() ? samples : scaled;
}

}  // namespace engine
