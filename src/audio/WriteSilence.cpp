#include "WriteSilence.h"

#include <algorithm>

#include "AppendToFile.h"
#include "WaveFormat.h"

namespace audio {
namespace {

void AppendSilence(OutputFile& file, const SilenceBlock& silence, std::uint64_t count) {
  while (count > 0) {
    const std::size_t blockBytes =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, kSilenceBlockBytes));
    AppendBytes(file, silence.bytes.data(), blockBytes);
    count -= blockBytes;
  }
}

}  // namespace

void WriteSilence(OutputFile& file, const SilenceBlock& silence, std::int32_t milliseconds) {
  const auto count = static_cast<std::int32_t>(static_cast<std::uint32_t>(milliseconds) *
                                               static_cast<std::uint32_t>(kBytesPerMillisecond));
  if (count <= 0) return;
  const std::uint64_t fileSize = platform::FileSize(file.handle);
  if (fileSize == 0) {
    // Counted as if the header it waits for were already there.
    if (!FitsInFile(kWaveHeaderBytes + file.heldSilenceBytes, static_cast<std::uint64_t>(count))) {
      return;
    }
    file.heldSilenceBytes += static_cast<std::uint64_t>(count);
    file.heldSilenceBlock = &silence;
    return;
  }
  if (!FitsInFile(fileSize, static_cast<std::uint64_t>(count))) return;
  AppendSilence(file, silence, static_cast<std::uint64_t>(count));
}

void WriteHeldSilence(OutputFile& file) {
  if (file.heldSilenceBytes == 0) return;
  AppendSilence(file, *file.heldSilenceBlock, file.heldSilenceBytes);
  file.heldSilenceBytes = 0;
}

}  // namespace audio
