#include "OutputFile.h"

#include "AudioMessages.h"
#include "WaveFormat.h"

namespace audio {
namespace {

// Appending rewrites bytes 4 and 40 at the end of the run, so the file must
// hold a header of the program's own layout there; anything else would be
// damaged. An empty file takes the first image's header.
bool CanAppendTo(platform::OutputFileHandle handle) {
  const std::uint64_t size = platform::FileSize(handle);
  if (size == 0) return true;
  if (size < kWaveHeaderBytes || size > kMaxWaveFileBytes) return false;
  std::uint8_t header[kWaveHeaderBytes];
  return platform::ReadBytesAt(handle, 0, header, sizeof header) == sizeof header &&
         HasCanonicalLayout(header);
}

bool TryOpen(const std::string& path, const std::string& inputArgument, bool appendOutput,
             OutputFile& file) {
  const auto disposition = appendOutput ? platform::OutputDisposition::OpenAlways
                                        : platform::OutputDisposition::CreateAlways;
  platform::OutputFileHandle handle = platform::OpenOutputFile(path, disposition, inputArgument);
  if (!handle.IsOpen()) return false;
  if (appendOutput && !(CanAppendTo(handle) && platform::MoveToEnd(handle))) {
    platform::CloseFile(handle);
    return false;
  }
  file = OutputFile{};
  file.handle = handle;
  return true;
}

}  // namespace

std::string DerivedOutputPath(const std::string& inputArgument) {
  std::string path = inputArgument;
  const std::size_t dot = path.rfind('.');
  if (dot != std::string::npos) path.erase(dot);
  return path + ".wav";
}

bool OpenOutputFile(std::string& outputPath, const std::string& inputArgument, bool appendOutput,
                    OutputFile& file) {
  // A name given by the user that cannot be opened falls back to the
  // derived name without a word.
  if (!outputPath.empty() && TryOpen(outputPath, inputArgument, appendOutput, file)) return true;
  outputPath = DerivedOutputPath(inputArgument);
  if (TryOpen(outputPath, inputArgument, appendOutput, file)) return true;
  platform::WriteConsoleLine(std::string(kOutputFileFailedOpen) + outputPath +
                             kOutputFileFailedClose);
  return false;
}

void CloseOutputFile(OutputFile& file) { platform::CloseFile(file.handle); }

}  // namespace audio
