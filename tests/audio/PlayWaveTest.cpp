#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "WaveImages.h"

namespace {

using audiotest::AsString;
using audiotest::Field32;
using audiotest::MakeImage;
using audiotest::SampleBytes;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

// A home folder with its own sound configuration, and a run of the playback
// driver in it.
struct PlaybackRun {
  void Configure(const std::string& asoundrc) const {
    WriteFileBytes(home.path / ".asoundrc", asoundrc);
  }

  testsupport::ProcessResult Play(const std::vector<std::uint8_t>& image) {
    const auto imagePath = home.path / "image.wav";
    WriteFileBytes(imagePath, AsString(image));
    testsupport::RunOptions options;
    options.environment = {{"HOME", home.path.string()}};
    testsupport::ProcessResult result = testsupport::RunCommand(
        PLAY_WAVE_DRIVER, {imagePath.string(), (home.path / "returned.wav").string()}, options);
    returned = ReadFileBytes(home.path / "returned.wav");
    return result;
  }

  TempDir home;
  std::filesystem::path capture = home.path / "captured.raw";
  std::string returned;  // the buffer as PlayWave handed it back
};

// The default device writes everything it is given into a file, through the
// null device: no sound card is needed.
std::string CaptureToFile(const std::filesystem::path& capture) {
  return "pcm.!default {\n"
         "  type file\n"
         "  slave.pcm \"null\"\n"
         "  file \"" +
         capture.string() +
         "\"\n"
         "  format \"raw\"\n"
         "}\n";
}

TEST(PlayWave, DeviceGetsTheSamplesFromTheFirstSoundOn) {
  const std::vector<std::int16_t> sound = {256, -5, 1000, 0, -32768, 32767, 0, 0, 1};
  std::vector<std::int16_t> samples = {0, 0, 0};
  samples.insert(samples.end(), sound.begin(), sound.end());
  const std::vector<std::uint8_t> image = MakeImage(samples);

  PlaybackRun run;
  run.Configure(CaptureToFile(run.capture));
  const testsupport::ProcessResult result = run.Play(image);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output, "");
  EXPECT_EQ(result.errors, "");
  EXPECT_EQ(ReadFileBytes(run.capture), SampleBytes(sound));

  // The sound was moved down behind the header; the size fields are back
  // as the engine wrote them.
  ASSERT_EQ(run.returned.size(), image.size());
  EXPECT_EQ(run.returned.substr(0, 44), AsString(image).substr(0, 44));
  EXPECT_EQ(run.returned.substr(44, sound.size() * 2), SampleBytes(sound));
}

TEST(PlayWave, SilentImagePlaysNothing) {
  PlaybackRun run;
  run.Configure(CaptureToFile(run.capture));
  const std::vector<std::uint8_t> image = MakeImage({0, 0, 0});
  const testsupport::ProcessResult result = run.Play(image);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.errors, "");
  EXPECT_EQ(ReadFileBytes(run.capture), "");
  EXPECT_EQ(run.returned, AsString(image));
}

struct BrokenDevice {
  const char* name;
  std::string asoundrc;
};

// Without a working device the phrase is not heard, nothing is printed (the
// sound system's own complaints included) and the buffer goes back intact.
TEST(PlayWave, BrokenDeviceIsPassedOverInSilence) {
  const BrokenDevice cases[] = {
      {"no such card", "pcm.!default { type hw card 99 }\n"},
      {"capture file that cannot be made", CaptureToFile("/nonexistent-folder/captured.raw")},
      {"unknown device type", "pcm.!default { type no_such_plugin }\n"},
      {"configuration that does not parse", "pcm.!default { type\n"},
  };
  const std::vector<std::uint8_t> image = MakeImage({0, 7, 8});
  for (const BrokenDevice& row : cases) {
    PlaybackRun run;
    run.Configure(row.asoundrc);
    const testsupport::ProcessResult result = run.Play(image);
    EXPECT_EQ(result.exitCode, 0) << row.name;
    EXPECT_EQ(result.output, "") << row.name;
    EXPECT_EQ(result.errors, "") << row.name;
    ASSERT_EQ(run.returned.size(), image.size()) << row.name;
    EXPECT_EQ(Field32(run.returned, 4), Field32(image, 4)) << row.name;
    EXPECT_EQ(Field32(run.returned, 40), Field32(image, 40)) << row.name;
  }
}

}  // namespace
