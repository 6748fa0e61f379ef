// The folder a copy of the engine is loaded from picks its voice; copies come
// and go, one after another or side by side, and each speaks with its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "EngineLibrary.h"
#include "TestSupport.h"

namespace enginetest {
namespace {

constexpr const char* kSentence = "わたしわ/まいにち/がっこうえ/いきます。";

double PitchOf(const std::filesystem::path& engineFile) {
  const EngineLibrary engine(engineFile);
  const Synthesis synthesis = engine.Synthesize(kSentence);
  EXPECT_TRUE(synthesis.hasImage) << engineFile;
  return MedianPitch(Samples(synthesis));
}

TEST(EngineVoices, EachVoiceFolderHasItsOwnPitch) {
  // Loaded one after another, each copy unloaded before the next comes.
  std::map<std::string, double> pitch;
  for (const char* voice : {"default", "f1", "f2", "m1", "m2"}) pitch[voice] = PitchOf(BundledEngine(voice));

  // Female voices speak above 140 Hz, male ones below 120 Hz.
  for (const char* female : {"default", "f1", "f2"}) EXPECT_GT(pitch[female], 140.0) << female;
  for (const char* male : {"m1", "m2"}) EXPECT_LT(pitch[male], 120.0) << male;
  // Any two voices lie at least 12 % apart.
  for (const auto& [voice, hertz] : pitch) {
    for (const auto& [other, otherHertz] : pitch) {
      if (voice < other) {
        EXPECT_GT(std::max(hertz, otherHertz), std::min(hertz, otherHertz) * 1.12)
            << voice << " " << hertz << " Hz, " << other << " " << otherHertz << " Hz";
      }
    }
  }
}

TEST(EngineVoices, UnknownFolderGetsTheDefaultVoice) {
  const double defaultPitch = PitchOf(BundledEngine("default"));
  const double femalePitch = PitchOf(BundledEngine("f2"));
  const testsupport::TempDir root;
  for (const char* folder : {"narrator", "F1", "zz"}) {
    std::filesystem::create_directories(root.path / folder);
    std::filesystem::copy_file(BundledEngine("default"), root.path / folder / "AquesTalk.dll");
    const double pitch = PitchOf(root.path / folder / "AquesTalk.dll");
    EXPECT_NEAR(pitch, defaultPitch, defaultPitch * 0.03) << folder;
  }
  // A known voice copied elsewhere is still that voice: the folder's name
  // decides, not the file.
  std::filesystem::create_directories(root.path / "f2");
  std::filesystem::copy_file(BundledEngine("default"), root.path / "f2" / "AquesTalk.dll");
  EXPECT_NEAR(PitchOf(root.path / "f2" / "AquesTalk.dll"), femalePitch, femalePitch * 0.03);
}

TEST(EngineVoices, CopiesLoadedSideBySideKeepTheirVoices) {
  const EngineLibrary female(BundledEngine("default"));
  const EngineLibrary male(BundledEngine("m1"));
  for (int round = 0; round < 3; ++round) {
    const double femalePitch = MedianPitch(Samples(female.Synthesize(kSentence)));
    const double malePitch = MedianPitch(Samples(male.Synthesize(kSentence)));
    EXPECT_GT(femalePitch, malePitch * 1.4) << "round " << round;
  }
}

TEST(EngineVoices, ReloadedCopiesWorkAgainAndAgain) {
  for (int round = 0; round < 5; ++round) {
    for (const char* voice : {"default", "m2"}) {
      const EngineLibrary engine(BundledEngine(voice));
      const Synthesis synthesis = engine.Synthesize("もう/いちど。");
      ASSERT_TRUE(synthesis.hasImage) << voice << " round " << round;
      EXPECT_GT(Loudness(Samples(synthesis)), 1000) << voice << " round " << round;
    }
  }
}

}  // namespace
}  // namespace enginetest
