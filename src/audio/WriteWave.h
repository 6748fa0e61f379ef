// Writing one phrase's image into the output file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "OutputFile.h"

namespace audio {

// Into an empty file goes the whole image, header and leading silence
// included (with any pause held so far between the header and the sound);
// into a file that already holds something, only the sound data from the
// first non-zero sample on. A short write prints the write-failure line.
void WriteWave(OutputFile& file, const std::uint8_t* wave, std::size_t size);

}  // namespace audio
