#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ConsoleCapture.h"
#include "TestSupport.h"
#include "WaveImages.h"
#include "audio/OutputFile.h"
#include "audio/PatchWaveHeader.h"
#include "audio/SilenceBlock.h"
#include "audio/WriteSilence.h"
#include "audio/WriteWave.h"

namespace {

namespace fs = std::filesystem;
using audiotest::AsString;
using audiotest::ConsoleCapture;
using audiotest::Field32;
using audiotest::MakeImage;
using audiotest::SampleBytes;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

const std::string kWriteFailed = "WAVEファイルの書き込みに失敗しました。";

// One run of file mode on a folder of its own: open, write, patch, close.
class WaveFileRun : public ::testing::Test {
 protected:
  ~WaveFileRun() override { audio::CloseOutputFile(file_); }

  std::string Path(const std::string& name) const { return (folder_.path / name).string(); }

  void Open(bool append, std::string outputPath = "") {
    ASSERT_TRUE(audio::OpenOutputFile(outputPath, Path("story.txt"), append, file_));
    path_ = outputPath;
  }
  void Write(const std::vector<std::int16_t>& samples) {
    const std::vector<std::uint8_t> image = MakeImage(samples);
    audio::WriteWave(file_, image.data(), image.size());
  }
  void Pause(std::int32_t milliseconds) { audio::WriteSilence(file_, silence_, milliseconds); }
  std::string Finish() {
    audio::PatchWaveHeader(file_);
    audio::CloseOutputFile(file_);
    return ReadFileBytes(path_);
  }

  TempDir folder_;
  audio::SilenceBlock silence_;
  audio::OutputFile file_;
  std::string path_;
};

// The file's header is the image's, apart from the two size fields.
void ExpectHeaderOf(const std::string& bytes, const std::string& image) {
  ASSERT_GE(bytes.size(), 44u);
  EXPECT_EQ(bytes.substr(0, 4), image.substr(0, 4));
  EXPECT_EQ(bytes.substr(8, 32), image.substr(8, 32));
}

void ExpectSizesPatched(const std::string& bytes) {
  ASSERT_GE(bytes.size(), 44u);
  EXPECT_EQ(Field32(bytes, 4), bytes.size() - 8);
  EXPECT_EQ(Field32(bytes, 40), bytes.size() - 44);
}

TEST_F(WaveFileRun, FirstImageWholeThenSoundDataOnly) {
  WriteFileBytes(Path("story.wav"), "an older file, replaced");
  Open(false);
  EXPECT_EQ(path_, Path("story.wav"));
  Write({0, 0, 100, 0, -5});  // keeps its leading silence: it brings the header
  Pause(1);
  Write({0, 0, 256, 7});  // loses its two zero samples
  Write({0, 0, 0});       // nothing of it is sound
  Write({-1, 0, 2});
  const std::string bytes = Finish();

  std::string expected = AsString(MakeImage({0, 0, 100, 0, -5}));
  expected += std::string(16, '\0') + SampleBytes({256, 7}) + SampleBytes({-1, 0, 2});
  ExpectHeaderOf(bytes, expected);
  EXPECT_EQ(bytes.substr(44), expected.substr(44));
  ExpectSizesPatched(bytes);
}

TEST_F(WaveFileRun, AppendAddsNoSecondHeader) {
  const std::string existing = AsString(MakeImage({10, 20, 30}));
  WriteFileBytes(Path("story.wav"), existing);
  Open(true);
  Write({0, 40});
  Pause(2);
  Write({50});
  const std::string bytes = Finish();

  const std::string expected =
      existing + SampleBytes({40}) + std::string(32, '\0') + SampleBytes({50});
  ExpectHeaderOf(bytes, existing);
  EXPECT_EQ(bytes.substr(44), expected.substr(44));
  ExpectSizesPatched(bytes);
}

TEST_F(WaveFileRun, AppendToAnEmptyFileIsLikeCreate) {
  WriteFileBytes(Path("story.wav"), "");
  Open(true);
  Write({0, 3});
  Write({0, 4});
  const std::string bytes = Finish();
  ExpectHeaderOf(bytes, AsString(MakeImage({0, 3})));
  EXPECT_EQ(bytes.substr(44), SampleBytes({0, 3, 4}));
  ExpectSizesPatched(bytes);
}

// A pause before the first image waits for that image's header.
TEST_F(WaveFileRun, PauseBeforeTheFirstImageGoesBehindItsHeader) {
  Open(false);
  Pause(100);
  Pause(1);
  Write({0, 9});
  const std::string bytes = Finish();
  ExpectHeaderOf(bytes, AsString(MakeImage({0, 9})));
  EXPECT_EQ(bytes.substr(44), std::string(1616, '\0') + SampleBytes({0, 9}));
  ExpectSizesPatched(bytes);
}

const std::string kCanonicalHeader = std::string(
    "RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1F\0\0\x80\x3E\0\0\x02\0\x10\0data\0\0\0\0",
    44);

TEST_F(WaveFileRun, NothingWrittenLeavesAnEmptyWaveFile) {
  Open(false);
  EXPECT_EQ(Finish(), kCanonicalHeader);
}

TEST_F(WaveFileRun, OnlyPausesGetACanonicalHeader) {
  Open(false);
  Pause(3);
  const std::string bytes = Finish();
  ExpectHeaderOf(bytes, kCanonicalHeader);
  EXPECT_EQ(bytes.substr(44), std::string(48, '\0'));
  ExpectSizesPatched(bytes);
}

TEST_F(WaveFileRun, ImagesOutsideTheContractAreReadOnlyWithinTheirSize) {
  Open(false);
  std::vector<std::uint8_t> first = MakeImage({5, 6, 99});
  first[40] = 0xFF;                                         // a data size beyond the image
  audio::WriteWave(file_, first.data(), first.size() - 2);  // the last sample is not part of it
  std::vector<std::uint8_t> tooShort = MakeImage({});
  audio::WriteWave(file_, tooShort.data(), 43);
  std::vector<std::uint8_t> later = MakeImage({0, 7, 99});
  audio::WriteWave(file_, later.data(), later.size() - 2);
  const std::string bytes = Finish();
  EXPECT_EQ(bytes.substr(44), SampleBytes({5, 6, 7}));
  ExpectSizesPatched(bytes);
}

struct SilenceCase {
  std::int32_t milliseconds;
  std::size_t zeroBytes;
};

TEST(WriteSilence, ByteCounts) {
  const SilenceCase cases[] = {
      {0, 0},
      {1, 16},
      {64, 1024},
      {65, 1040},
      {100, 1600},
      {-1, 0},
      {-100, 0},
      // 16 times these wrap to 0 and to a negative count in 32 bits
      {1 << 28, 0},
      {1 << 27, 0},
  };
  for (const SilenceCase& row : cases) {
    TempDir folder;
    std::string path = (folder.path / "out.wav").string();
    audio::OutputFile file;
    ASSERT_TRUE(audio::OpenOutputFile(path, "story.txt", false, file));
    const std::vector<std::uint8_t> image = MakeImage({1});
    audio::WriteWave(file, image.data(), image.size());
    audio::SilenceBlock silence;
    audio::WriteSilence(file, silence, row.milliseconds);
    audio::CloseOutputFile(file);
    EXPECT_EQ(ReadFileBytes(path), AsString(image) + std::string(row.zeroBytes, '\0'))
        << row.milliseconds << " ms";
  }
}

// An outside reader sees the format of the images and every sample written.
TEST_F(WaveFileRun, SoxReadsTheFile) {
  Open(false);
  Write({0, 1000, -1000});
  Pause(10);
  Write({0, 0, 32767, -32768});
  const std::string bytes = Finish();
  auto sox = [](const std::vector<std::string>& arguments) {
    testsupport::ProcessResult result = testsupport::RunCommand("/usr/bin/env", arguments);
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    return result.output;
  };
  EXPECT_EQ(sox({"soxi", "-r", path_}), "8000\n");
  EXPECT_EQ(sox({"soxi", "-c", path_}), "1\n");
  EXPECT_EQ(sox({"soxi", "-b", path_}), "16\n");
  EXPECT_EQ(sox({"soxi", "-s", path_}), "85\n");  // 3 + 80 + 2 samples
  EXPECT_EQ(sox({"sox", path_, "-t", "raw", "-e", "signed-integer", "-b", "16", "-L", "-"}),
            SampleBytes({0, 1000, -1000}) + std::string(160, '\0') + SampleBytes({32767, -32768}));
}

TEST_F(WaveFileRun, SoxReadsTheFileOfAnEmptyRun) {
  Open(false);
  Finish();
  const testsupport::ProcessResult result =
      testsupport::RunCommand("/usr/bin/env", {"soxi", "-s", path_});
  EXPECT_EQ(result.exitCode, 0) << result.errors;
  EXPECT_EQ(result.output, "0\n");
}

// The size fields are 32 bits: a write that would carry the file past
// 4 GiB is refused with the write-failure line. The file is sparse, so the
// test costs no disk space.
TEST_F(WaveFileRun, FileNeverGrowsPastWhatItsHeaderCanDescribe) {
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 32;
  WriteFileBytes(Path("story.wav"), AsString(MakeImage({})));
  fs::resize_file(Path("story.wav"), kLimit - 4);
  Open(true);
  ConsoleCapture console;
  Write({1, 2, 3});  // 6 bytes: over the limit
  Pause(1);          // 16 bytes: over the limit
  Write({0, 1, 2});  // 4 bytes: exactly up to it
  Write({3});        // 2 bytes: over again
  EXPECT_EQ(console.Take(), audiotest::Lines(kWriteFailed, 3));
  audio::PatchWaveHeader(file_);
  audio::CloseOutputFile(file_);
  EXPECT_EQ(fs::file_size(path_), kLimit);
  std::string header(44, '\0');
  std::ifstream(path_, std::ios::binary).read(header.data(), 44);
  EXPECT_EQ(Field32(header, 4), kLimit - 8);
  EXPECT_EQ(Field32(header, 40), kLimit - 44);
}

}  // namespace
