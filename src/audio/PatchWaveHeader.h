// The last step of a file run: the two size fields of the header.
#pragma once

#include "OutputFile.h"

namespace audio {

// Sets the RIFF size (offset 4) to the file size - 8 and the data size
// (offset 40) to the file size - 44, once the data are on disk. A file that
// is still empty first gets a canonical 8000 Hz mono 16-bit header and any
// pause held for it, so every run leaves a valid WAV file. The results of
// the header writes are not looked at.
void PatchWaveHeader(OutputFile& file);

}  // namespace audio
