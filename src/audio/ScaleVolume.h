// Volume: scaling the samples of an image in place.
#pragma once

#include <cstddef>
#include <cstdint>

namespace audio {

// Multiplies every 16-bit sample of the data chunk by percent / 100,
// truncating toward zero and clamping to the 16-bit range. The sample count
// comes from the data size field, never reaching past the image.
void ScaleVolume(std::uint8_t* wave, std::size_t size, std::int32_t percent);

}  // namespace audio
