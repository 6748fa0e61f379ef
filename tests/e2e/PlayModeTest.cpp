// Play mode through the real ALSA library: the default device is routed to a
// file, so no sound card is needed and the test hears what a user would.
#include <gtest/gtest.h>

#include "EndToEnd.h"

namespace {

TEST(PlayMode, PhrasesReachTheDeviceFromTheirFirstSoundOn) {
  e2e::EngineRun run;
  const auto home = run.install.root.path / "home";
  const auto capture = home / "captured.raw";
  std::filesystem::create_directories(home);
  // The file plugin empties its file at every open; a pipe appends, so the
  // phrases, each played on its own, add up.
  testsupport::WriteFileBytes(home / ".asoundrc",
                              "pcm.!default {\n  type file\n  slave.pcm \"null\"\n"
                              "  file \"|cat >> " + capture.string() + "\"\n  format \"raw\"\n}\n");
  testsupport::WriteFileBytes(run.install.root.path / "script.txt", "<-S:300>あ、い。う<-v:50>え");
  testsupport::RunOptions options;
  options.environment = {{"HOME", home.string()},
                         {"TESTENGINE_LOG", run.logFile.string()},
                         {"TESTENGINE_LEADING_ZEROS", "2"}};
  const auto result = run.install.Run({"script.txt"}, options);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output, e2e::Lines({"【基本速度】300", "【音声記号】あ、", "【音声記号】い。",
                                       "【音声記号】う+", "【相対音量】50", "【音声記号】え"}));
  EXPECT_EQ(result.errors, "");
  EXPECT_EQ(testsupport::ReadFileBytes(capture),
            e2e::ExpectedPlayedSamples({e2e::Speak{"あ、", 300}, e2e::Speak{"、い。", 300},
                                        e2e::Speak{"。う+", 300}, e2e::Speak{"え", 300, 50}},
                                       2));
  EXPECT_FALSE(std::filesystem::exists(run.install.root.path / "script.wav"));
  EXPECT_EQ(testengine::ReleaseFaults(run.Record()), std::vector<std::string>{});
}

// Without any sound device the phrases pass unheard and nothing is printed
// about it.
TEST(PlayMode, NoDeviceIsNoFailure) {
  e2e::EngineRun run;
  const auto home = run.install.root.path / "home";
  std::filesystem::create_directories(home);
  testsupport::WriteFileBytes(home / ".asoundrc", "pcm.!default { type hw card 57 }\n");
  testsupport::RunOptions options;
  options.environment = {{"HOME", home.string()}, {"TESTENGINE_LOG", run.logFile.string()}};
  const auto result = run.install.Run({"あ"}, options);
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output, e2e::Lines({"【音声記号】あ"}));
  EXPECT_EQ(result.errors, "");
  EXPECT_EQ(run.Record().calls.size(), 1u);
}

}  // namespace
