#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "ConsoleCapture.h"
#include "TestSupport.h"
#include "WaveImages.h"
#include "audio/OutputFile.h"
#include "audio/PatchWaveHeader.h"
#include "audio/SilenceBlock.h"
#include "audio/WriteSilence.h"
#include "audio/WriteWave.h"

namespace {

using audiotest::ConsoleCapture;
using audiotest::Lines;
using audiotest::MakeImage;

const std::string kWriteFailed = "WAVEファイルの書き込みに失敗しました。";

// /dev/full takes every write and stores none of it: each write of the run
// prints the line once, and the run goes on.
TEST(WriteFailure, DeviceThatRefusesWrites) {
  std::string outputPath = "/dev/full";
  audio::OutputFile file;
  ASSERT_TRUE(audio::OpenOutputFile(outputPath, "story.txt", false, file));
  EXPECT_EQ(outputPath, "/dev/full");
  audio::SilenceBlock silence;
  const std::vector<std::uint8_t> image = MakeImage({0, 5, 6});

  ConsoleCapture first;
  audio::WriteWave(file, image.data(), image.size());
  EXPECT_EQ(first.Take(), Lines(kWriteFailed, 1));

  // The device stays empty, so a pause waits for a header and goes out
  // with the next image: header, two silence blocks, sound data.
  ConsoleCapture later;
  audio::WriteSilence(file, silence, 100);
  audio::WriteWave(file, image.data(), image.size());
  EXPECT_EQ(later.Take(), Lines(kWriteFailed, 4));

  ConsoleCapture patch;
  audio::PatchWaveHeader(file);  // the header an empty file gets
  audio::CloseOutputFile(file);
  EXPECT_EQ(patch.Take(), Lines(kWriteFailed, 1));
}

// Holds the file size limit of the process at `bytes` while it lives; writes
// past it fail (SIGXFSZ is ignored meanwhile, so they only fail).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    savedSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, savedSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*savedSignal_)(int) = SIG_DFL;
};

struct FailedPauseCase {
  std::int32_t milliseconds;
  int failedWrites;  // one per block of at most 1024 bytes
};

// A full disk, seen through the process's file size limit: a pause is
// written block by block, and every block that fails is reported.
TEST(WriteFailure, EveryFailedSilenceBlockIsReported) {
  const FailedPauseCase cases[] = {{0, 0}, {1, 1}, {64, 1}, {65, 2}, {100, 2}, {200, 4}, {-5, 0}};
  for (const FailedPauseCase& row : cases) {
    testsupport::TempDir folder;
    std::string outputPath = (folder.path / "out.wav").string();
    audio::OutputFile file;
    ASSERT_TRUE(audio::OpenOutputFile(outputPath, "story.txt", false, file));
    // Big enough that the captured lines fit under the limit as well.
    const std::vector<std::uint8_t> image = MakeImage(std::vector<std::int16_t>(1000, 1));
    audio::WriteWave(file, image.data(), image.size());
    audio::SilenceBlock silence;
    std::string console;
    {
      ConsoleCapture capture;
      FileSizeLimit full(image.size());
      audio::WriteSilence(file, silence, row.milliseconds);
      console = capture.Take();
    }
    audio::CloseOutputFile(file);
    EXPECT_EQ(console, Lines(kWriteFailed, row.failedWrites)) << row.milliseconds << " ms";
    EXPECT_EQ(std::filesystem::file_size(outputPath), image.size()) << row.milliseconds << " ms";
  }
}

// A block that only partly fits is still a failed write: the file keeps what
// was written and the line is printed once for it.
TEST(WriteFailure, ShortWriteKeepsWhatWasWritten) {
  testsupport::TempDir folder;
  std::string outputPath = (folder.path / "out.wav").string();
  audio::OutputFile file;
  ASSERT_TRUE(audio::OpenOutputFile(outputPath, "story.txt", false, file));
  const std::vector<std::uint8_t> image = MakeImage(std::vector<std::int16_t>(1000, 1));
  audio::WriteWave(file, image.data(), image.size());
  audio::SilenceBlock silence;
  std::string console;
  {
    ConsoleCapture capture;
    FileSizeLimit full(image.size() + 1500);
    audio::WriteSilence(file, silence, 100);  // 1024 bytes fit, 476 of the next 576
    console = capture.Take();
  }
  audio::CloseOutputFile(file);
  EXPECT_EQ(console, Lines(kWriteFailed, 1));
  EXPECT_EQ(std::filesystem::file_size(outputPath), image.size() + 1500);
}

}  // namespace
