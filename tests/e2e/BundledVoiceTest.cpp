// The program with its own bundled voice: a script longer than the engine
// takes at once is still spoken whole, through the program's recovery.
#include <gtest/gtest.h>

#include <cmath>

#include "EndToEnd.h"

namespace {

struct Render {
  testsupport::ProcessResult result;
  std::string wave;
};

Render RenderWithBundledVoice(const std::string& script) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.path / "script.txt", script);
  testsupport::RunOptions options;
  options.environment = {{"LC_ALL", "C"}};
  Render render;
  render.result = testsupport::RunCommand((testsupport::BuildDirectory() / "yomiage").string(),
                                          {"-o", "-m:0", (dir.path / "script.txt").string()}, options);
  render.wave = testsupport::ReadFileBytes(dir.path / "script.wav");
  return render;
}

double SecondsOfAudio(const std::string& wave) { return (wave.size() - 44) / 16000.0; }

// The loudness of a stretch of the file's samples.
double RootMeanSquare(const std::string& wave, double fromFraction, double toFraction) {
  const std::size_t samples = (wave.size() - 44) / 2;
  const auto from = static_cast<std::size_t>(samples * fromFraction);
  const auto to = static_cast<std::size_t>(samples * toFraction);
  double sum = 0;
  for (std::size_t k = from; k < to; ++k) {
    const auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(wave[44 + 2 * k]) |
                                                  static_cast<std::uint8_t>(wave[45 + 2 * k]) << 8);
    sum += double(sample) * sample;
  }
  return std::sqrt(sum / double(to - from));
}

TEST(BundledVoice, ScriptOverTheEnginesLimitIsSpokenWhole) {
  const std::string phrase = "きょうわ/いい/てんきですね/";  // joined by "/": one flush
  std::string longText;
  std::string piecewise;
  for (int k = 0; k < 60; ++k) {
    longText += phrase;
    piecewise += phrase + "<-B:0>";  // each phrase flushed on its own
  }
  ASSERT_GT(longText.size(), 1024u);  // over the bundled engine's text limit

  const Render whole = RenderWithBundledVoice(longText);
  const Render pieces = RenderWithBundledVoice(piecewise);
  ASSERT_EQ(whole.result.exitCode, 0);
  EXPECT_EQ(whole.result.output, "");  // no error line: nothing was dropped
  ASSERT_EQ(pieces.result.exitCode, 0);
  ASSERT_GT(pieces.wave.size(), 44u);

  // The file holds the whole text: as long as the phrases spoken one by one,
  // and speech right to its end.
  EXPECT_NEAR(SecondsOfAudio(whole.wave), SecondsOfAudio(pieces.wave),
              0.15 * SecondsOfAudio(pieces.wave));
  EXPECT_GT(RootMeanSquare(whole.wave, 0.9, 1.0), 100.0);
}

}  // namespace
