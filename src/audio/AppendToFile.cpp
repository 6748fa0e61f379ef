#include "AppendToFile.h"

#include "AudioMessages.h"
#include "WaveFormat.h"

namespace audio {

void AppendBytes(OutputFile& file, const void* bytes, std::size_t count) {
  if (platform::WriteBytes(file.handle, bytes, count) != count) {
    platform::WriteConsoleLine(kWaveWriteFailed);
  }
}

bool FitsInFile(std::uint64_t fileSize, std::uint64_t count) {
  if (fileSize <= kMaxWaveFileBytes && count <= kMaxWaveFileBytes - fileSize) return true;
  platform::WriteConsoleLine(kWaveWriteFailed);
  return false;
}

}  // namespace audio
