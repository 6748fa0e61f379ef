#include "PatchWaveHeader.h"

#include "AppendToFile.h"
#include "WaveFormat.h"
#include "WriteSilence.h"

namespace audio {
namespace {

// The field holds the number of bytes from `countedFrom` to the end of the file.
void PatchField(platform::OutputFileHandle handle, std::uint64_t offset,
                std::uint64_t countedFrom) {
  const std::uint64_t fileSize = platform::FileSize(handle);
  // A file whose header never got written whole has no field to patch.
  if (fileSize < kWaveHeaderBytes || fileSize > kMaxWaveFileBytes) return;
  std::uint8_t field[4];
  WriteLe32(field, static_cast<std::uint32_t>(fileSize - countedFrom));
  platform::WriteBytesAt(handle, offset, field, sizeof field);
}

}  // namespace

void PatchWaveHeader(OutputFile& file) {
  if (platform::FileSize(file.handle) == 0) {
    const auto header = CanonicalWaveHeader();
    AppendBytes(file, header.data(), header.size());
    WriteHeldSilence(file);
  }
  platform::FlushFile(file.handle);
  PatchField(file.handle, kRiffSizeOffset, 8);
  PatchField(file.handle, kDataSizeOffset, kWaveHeaderBytes);
}

}  // namespace audio
