// The speaking speed: the caller's speed value (50..300, 100 normal) as
// espeak-ng's speaking rate, and the time-scaling that makes the length of
// speech follow the speed exactly.
#pragma once

#include <cstdint>
#include <vector>

namespace engine {

inline constexpr int kNormalSpeed = 100;
inline constexpr int kSlowestSpeed = 50;
inline constexpr int kFastestSpeed = 300;

// Holds a speed to the range the engine knows.
int ClampSpeed(int speed);

// espeak-ng's speaking rate, in words per minute, whose speech is about
// 100/speed as long as at the normal speed.
int WordsPerMinute(int speed);

// Makes speech `currentLength / wantedLength` times faster (or slower)
// without changing its pitch, so that it lasts about wantedLength samples.
std::vector<std::int16_t> ScaleDuration(std::vector<std::int16_t> samples, int sampleRate,
                                        std::size_t wantedLength);

}  // namespace engine
