// The WAV output file of a run: which file it is, opening and closing it.
#pragma once

#include <cstdint>
#include <string>

#include "SilenceBlock.h"
#include "platform/Platform.h"

namespace audio {

struct OutputFile {
  platform::OutputFileHandle handle;
  // Pause bytes that reached the file while it was still empty. A file must
  // begin with a header, so they wait for one: the first image's, or at the
  // end a canonical one when no image ever came.
  std::uint64_t heldSilenceBytes = 0;
  const SilenceBlock* heldSilenceBlock = nullptr;
};

// The name made from the input argument: cut before its last "." (folder
// names included), then ".wav" appended.
std::string DerivedOutputPath(const std::string& inputArgument);

// Opens the file named by outputPath, or, when that is empty or cannot be
// opened, the derived name, which then replaces outputPath. Appending keeps
// the file and moves to its end; otherwise the file is emptied. A file that
// is the input itself, or a non-empty file to append to that is not a WAV
// file of the 44-byte layout, counts as one that cannot be opened. When
// neither name opens, prints the line that names the derived path and
// returns false: the run ends there.
bool OpenOutputFile(std::string& outputPath, const std::string& inputArgument, bool appendOutput,
                    OutputFile& file);

void CloseOutputFile(OutputFile& file);

}  // namespace audio
