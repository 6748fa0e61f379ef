// What the parser and the engine see of UTF-8 and Shift-JIS input.
#include <gtest/gtest.h>

#include "EndToEnd.h"

namespace {

const std::string kUtf8Text = reinterpret_cast<const char*>(u8"<-S:120>こんにちは、げんき");
const std::vector<std::string> kConsole = {"【基本速度】120", "【音声記号】こんにちは、",
                                           "【音声記号】げんき"};
const std::vector<std::pair<std::string, std::int32_t>> kCalls = {{"こんにちは、", 120},
                                                                  {"、げんき", 120}};

testsupport::ProcessResult RunInUtf8Locale(e2e::EngineRun& run, std::vector<std::string> arguments) {
  testsupport::RunOptions options;
  options.environment = {{"LC_ALL", "C.UTF-8"}, {"TESTENGINE_LOG", run.logFile.string()}};
  return run.install.Run(arguments, options);
}

TEST(InputText, Utf8ArgumentReachesTheParserAsCp932) {
  e2e::EngineRun run;
  const auto result = RunInUtf8Locale(run, {"-f:out.wav", kUtf8Text});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output, e2e::Lines(kConsole));  // a pipe gets the CP932 bytes
  EXPECT_EQ(e2e::RecordedCalls(run.Record()), kCalls);
}

TEST(InputText, Utf8FileReachesTheParserAsCp932) {
  e2e::EngineRun run;
  testsupport::WriteFileBytes(run.install.root.path / "story.txt", kUtf8Text);
  const auto result = RunInUtf8Locale(run, {"-o", "story.txt"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output, e2e::Lines(kConsole));
  EXPECT_EQ(e2e::RecordedCalls(run.Record()), kCalls);
  EXPECT_TRUE(std::filesystem::exists(run.install.root.path / "story.wav"));
}

TEST(InputText, ShiftJisFileIsTakenByteForByte) {
  e2e::EngineRun run;
  // Bytes that are no valid CP932 character pass untouched as well.
  const auto result = run.RunScript("<-S:120>こんにちは、げんき\xA0\xFD", {"-o"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(e2e::RecordedCalls(run.Record()),
            (std::vector<std::pair<std::string, std::int32_t>>{{"こんにちは、", 120},
                                                               {"、げんき\xA0\xFD", 120}}));
}

TEST(InputText, TheLastPlainArgumentIsTheInput) {
  e2e::EngineRun run;
  testsupport::RunOptions options;
  options.environment = {{"TESTENGINE_LOG", run.logFile.string()}};
  const auto result = run.install.Run({"あ", "-f:out.wav", "い"}, options);
  EXPECT_EQ(result.output, e2e::Lines({"【音声記号】い"}));
  EXPECT_EQ(e2e::RecordedCalls(run.Record()),
            (std::vector<std::pair<std::string, std::int32_t>>{{"い", 100}}));
}

}  // namespace

namespace {

// Whatever a file holds, a run ends normally and leaves a WAV file whose
// size fields describe it.
TEST(InputText, ArbitraryBytesNeverBreakARun) {
  const char alphabet[] = {'<', '-', ':', '>', '\r', '\n', ',', ';', '/', '+', 'S', 's', 'B', 'b',
                           'M', 'm', 'V', 'v', 'c', 'd', 'D', '0', '9', '\x81', '\x41', '\x42',
                           '\x48', '\x82', '\xA0', '\0', '\xFC', ' ', '\xFF', '-', '1'};
  std::uint32_t seed = 7;
  e2e::EngineRun run;
  for (int round = 0; round < 20; ++round) {
    std::string script;
    for (int k = 0; k < 200; ++k) {
      seed = seed * 1103515245u + 12345u;
      script.push_back(alphabet[(seed >> 16) % sizeof alphabet]);
    }
    SCOPED_TRACE(testengine::Hex(script));
    // Short pauses only: a random <-B:...> must not hold the test for long.
    const auto result = run.RunScript(script, {"-o", "-s:300"}, {{"TESTENGINE_REFUSE_OVER", "40"}});
    ASSERT_TRUE(result.exitCode == 0 || result.exitCode == 1);
    EXPECT_EQ(result.errors, "");
    if (result.exitCode == 1) continue;
    const std::string wave = run.WaveFile();
    ASSERT_GE(wave.size(), 44u);
    EXPECT_EQ(wave.substr(0, 4), "RIFF");
    const auto field = [&](std::size_t at) {
      return static_cast<std::uint32_t>(static_cast<std::uint8_t>(wave[at]) |
                                        static_cast<std::uint8_t>(wave[at + 1]) << 8 |
                                        static_cast<std::uint8_t>(wave[at + 2]) << 16 |
                                        static_cast<std::uint8_t>(wave[at + 3]) << 24);
    };
    EXPECT_EQ(field(4), wave.size() - 8);
    EXPECT_EQ(field(40), wave.size() - 44);
  }
  EXPECT_EQ(testengine::ReleaseFaults(run.Record()), std::vector<std::string>{});
}

}  // namespace
