#include "WriteWave.h"

#include "AppendToFile.h"
#include "SkipLeadingSilence.h"
#include "WaveFormat.h"
#include "WriteSilence.h"

namespace audio {

void WriteWave(OutputFile& file, const std::uint8_t* wave, std::size_t size) {
  if (size < kWaveHeaderBytes) return;  // no header, no sound: nothing to take from it
  // The file's size, not a flag, tells whether a header is still missing, so
  // appending to a WAV file never adds a second one.
  const std::uint64_t fileSize = platform::FileSize(file.handle);
  if (fileSize == 0) {
    if (!FitsInFile(0, size + file.heldSilenceBytes)) return;
    if (file.heldSilenceBytes == 0) {
      AppendBytes(file, wave, size);
      return;
    }
    AppendBytes(file, wave, kWaveHeaderBytes);
    WriteHeldSilence(file);
    AppendBytes(file, wave + kWaveHeaderBytes, size - kWaveHeaderBytes);
    return;
  }
  const std::size_t start = SkipLeadingSilence(wave, size);
  if (start == size || !FitsInFile(fileSize, size - start)) return;
  AppendBytes(file, wave + start, size - start);
}

}  // namespace audio
