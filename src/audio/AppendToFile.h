// Writing at the end of the output file, with the checks every write shares.
#pragma once

#include <cstddef>
#include <cstdint>

#include "OutputFile.h"

namespace audio {

// Writes the bytes at the file's current position, its end; a write that
// falls short prints the write-failure line, and the run goes on.
void AppendBytes(OutputFile& file, const void* bytes, std::size_t count);

// True when `count` more bytes keep a file of `fileSize` bytes within what
// its 32-bit size fields can describe; otherwise prints the write-failure
// line, and the caller writes nothing.
bool FitsInFile(std::uint64_t fileSize, std::uint64_t count);

}  // namespace audio
