#include <gtest/gtest.h>

#include "WaveImages.h"
#include "audio/ScaleVolume.h"

namespace {

using audiotest::Field32;
using audiotest::MakeImage;

struct ScaleCase {
  std::int16_t sample;
  std::int32_t percent;
  std::int16_t scaled;
};

TEST(ScaleVolume, SampleTable) {
  const ScaleCase cases[] = {
      {1000, 150, 1500},     {-1000, 150, -1500}, {20000, 200, 32767}, {-20000, 200, -32768},
      {-3, 50, -1},          {-1, 50, 0},         {32767, 1, 327},     {3, 50, 1},
      {-32768, 600, -32768}, {32767, 600, 32767}, {-32768, 1, -327},   {12345, 100, 12345},
  };
  for (const ScaleCase& row : cases) {
    std::vector<std::uint8_t> image = MakeImage({row.sample});
    audio::ScaleVolume(image.data(), image.size(), row.percent);
    EXPECT_EQ(image, MakeImage({row.scaled}))
        << row.sample << " at " << row.percent << "% should give " << row.scaled;
  }
}

TEST(ScaleVolume, ScalesEverySampleAndLeavesTheHeaderAlone) {
  std::vector<std::uint8_t> image = MakeImage({0, 1, -2, 300, -400, 16000});
  audio::ScaleVolume(image.data(), image.size(), 200);
  EXPECT_EQ(image, MakeImage({0, 2, -4, 600, -800, 32000}));
}

TEST(ScaleVolume, SampleCountComesFromTheDataSizeField) {
  std::vector<std::uint8_t> image = MakeImage({100, 100, 100});
  image[40] = 4;  // only the first two samples belong to the data chunk
  audio::ScaleVolume(image.data(), image.size(), 300);
  EXPECT_EQ(std::vector<std::uint8_t>(image.begin() + 44, image.end()),
            std::vector<std::uint8_t>({0x2C, 0x01, 0x2C, 0x01, 100, 0}));
}

TEST(ScaleVolume, OddLastByteIsNotTouched) {
  std::vector<std::uint8_t> image = MakeImage({1000});
  image.push_back(0x7F);
  image[40] = 3;
  image[4] = static_cast<std::uint8_t>(image.size() - 8);
  audio::ScaleVolume(image.data(), image.size(), 50);
  EXPECT_EQ(image[44] | image[45] << 8, 500);
  EXPECT_EQ(image[46], 0x7F);
}

// Images outside the engine's contract: the bytes behind the image (here a
// guard of two more samples) are never touched.
TEST(ScaleVolume, NeverReachesPastTheImage) {
  std::vector<std::uint8_t> buffer = MakeImage({1000, 1000, 1000, 1000});
  const std::size_t imageSize = buffer.size() - 4;
  // The data size field still claims all four samples.
  audio::ScaleVolume(buffer.data(), imageSize, 200);
  EXPECT_EQ(Field32(buffer, 44), 2000u | 2000u << 16);
  EXPECT_EQ(Field32(buffer, 48), 1000u | 1000u << 16);

  std::vector<std::uint8_t> shortImage = MakeImage({1000});
  const std::vector<std::uint8_t> before = shortImage;
  audio::ScaleVolume(shortImage.data(), 43, 200);
  EXPECT_EQ(shortImage, before);
}

}  // namespace
