// Pauses written into the output file as zero samples.
#pragma once

#include <cstdint>

#include "OutputFile.h"
#include "SilenceBlock.h"

namespace audio {

// Appends 16 zero bytes a millisecond, in writes of at most one block; a
// length that is 0 or negative once multiplied (in 32 bits) writes nothing.
// A file still without header holds the pause back until it has one. A pause
// that would carry the file past its size limit is refused as a whole; every
// short write prints the write-failure line.
void WriteSilence(OutputFile& file, const SilenceBlock& silence, std::int32_t milliseconds);

// Writes the pause bytes held back while the file was empty, right behind
// the header that has just been written.
void WriteHeldSilence(OutputFile& file);

}  // namespace audio
