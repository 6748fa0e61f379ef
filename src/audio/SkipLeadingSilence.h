// Finding where the sound of an image begins.
#pragma once

#include <cstddef>
#include <cstdint>

namespace audio {

// The offset of the first non-zero 16-bit sample, 44 or more; the image's
// size when every sample is zero. An image shorter than its header gives its
// size: it holds nothing to write or play.
std::size_t SkipLeadingSilence(const std::uint8_t* wave, std::size_t size);

}  // namespace audio
