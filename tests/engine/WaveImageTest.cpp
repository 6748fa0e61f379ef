// The images the engine returns are canonical WAV files: 8000 Hz, one
// channel, 16-bit, sizes that agree with the code slot.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "EngineLibrary.h"

namespace enginetest {
namespace {

std::string Tag(const std::vector<std::uint8_t>& image, std::size_t offset) {
  return std::string(image.begin() + offset, image.begin() + offset + 4);
}

TEST(EngineWaveImage, HeaderIsCanonicalForEveryKindOfText) {
  const EngineLibrary engine(BundledEngine());
  struct Case {
    const char* text;
    int speed;
  };
  const Case cases[] = {
      {"あ", 100},
      {"こんにちは、", 100},
      {"、げんきですか？", 50},
      {"キョーワ/イイ/テンキデス。", 300},
      {"は'しを/わた_しわ;もった+", 175},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(std::string("speed ") + std::to_string(row.speed));
    const Synthesis synthesis = engine.Synthesize(row.text, row.speed);
    ASSERT_TRUE(synthesis.hasImage) << "code " << synthesis.codeSlot;
    const auto& image = synthesis.image;
    ASSERT_GT(image.size(), 44u);
    EXPECT_EQ(Tag(image, 0), "RIFF");
    EXPECT_EQ(LittleEndian(image, 4, 4), image.size() - 8);
    EXPECT_EQ(Tag(image, 8), "WAVE");
    EXPECT_EQ(Tag(image, 12), "fmt ");
    EXPECT_EQ(LittleEndian(image, 16, 4), 16u);    // format chunk size
    EXPECT_EQ(LittleEndian(image, 20, 2), 1u);     // PCM
    EXPECT_EQ(LittleEndian(image, 22, 2), 1u);     // one channel
    EXPECT_EQ(LittleEndian(image, 24, 4), 8000u);  // samples per second
    EXPECT_EQ(LittleEndian(image, 28, 4), 16000u); // bytes per second
    EXPECT_EQ(LittleEndian(image, 32, 2), 2u);     // block align
    EXPECT_EQ(LittleEndian(image, 34, 2), 16u);    // bits per sample
    EXPECT_EQ(Tag(image, 36), "data");
    EXPECT_EQ(LittleEndian(image, 40, 4), image.size() - 44);
    EXPECT_EQ(image.size() % 2, 0u);
  }
}

}  // namespace
}  // namespace enginetest
