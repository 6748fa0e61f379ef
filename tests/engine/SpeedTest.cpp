// The speed value sets the length of the speech: at speed s it lasts 100/s of
// its length at speed 100.
#include <gtest/gtest.h>

#include <string>

#include "EngineLibrary.h"

namespace enginetest {
namespace {

TEST(EngineSpeed, LengthFollowsTheSpeed) {
  const EngineLibrary engine(BundledEngine());
  const char* sentences[] = {
      "むかしむかし、あるところに、おじいさんと/おばあさんが/すんでいました。",
      "わたしわ/まいにち/がっこうえ/いきます",
  };
  for (const char* sentence : sentences) {
    const double normal = Seconds(engine.Synthesize(sentence, 100));
    ASSERT_GT(normal, 1.0);
    for (int speed : {50, 100, 200, 300}) {
      const Synthesis synthesis = engine.Synthesize(sentence, speed);
      ASSERT_TRUE(synthesis.hasImage);
      const double ratio = Seconds(synthesis) / normal;
      const double wanted = 100.0 / speed;
      EXPECT_NEAR(ratio, wanted, wanted * 0.10) << "speed " << speed;
    }
  }
}

TEST(EngineSpeed, SpeedsOutsideTheRangeAreHeldToIt) {
  const EngineLibrary engine(BundledEngine());
  const char* sentence = "おはよう/ございます";
  struct Case {
    int speed;
    int heldTo;
  };
  for (const Case& row : {Case{0, 50}, Case{-20, 50}, Case{10, 50}, Case{301, 300}, Case{100000, 300}}) {
    const Synthesis synthesis = engine.Synthesize(sentence, row.speed);
    ASSERT_TRUE(synthesis.hasImage) << "speed " << row.speed;
    EXPECT_NEAR(Seconds(synthesis), Seconds(engine.Synthesize(sentence, row.heldTo)), 0.02)
        << "speed " << row.speed;
  }
}

}  // namespace
}  // namespace enginetest
