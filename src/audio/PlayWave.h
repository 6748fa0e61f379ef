// Playing one phrase's image through the sound device.
#pragma once

#include <cstddef>
#include <cstdint>

namespace audio {

// Plays the image from its first non-zero sample on and returns when it has
// been heard. The sound data are moved down behind the header and the size
// fields describe them while playing; the fields are put back afterwards,
// as the engine gave them. Without a working device nothing is heard.
void PlayWave(std::uint8_t* wave, std::size_t size);

}  // namespace audio
