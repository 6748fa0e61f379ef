// The zero bytes every pause is written from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace audio {

inline constexpr std::size_t kSilenceBlockBytes = 1024;

// Prepared once by the driver and never changed; a pause of any length is
// written from it block by block.
struct SilenceBlock {
  std::array<std::uint8_t, kSilenceBlockBytes> bytes{};
};

}  // namespace audio
