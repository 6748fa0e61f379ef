#include <gtest/gtest.h>

#include "WaveImages.h"
#include "audio/SkipLeadingSilence.h"

namespace {

struct SkipCase {
  const char* name;
  std::vector<std::uint8_t> image;
  std::size_t firstSound;
};

std::vector<std::uint8_t> WithExtraByte(std::vector<std::uint8_t> image, std::uint8_t byte) {
  image.push_back(byte);
  return image;
}

TEST(SkipLeadingSilence, Table) {
  using audiotest::MakeImage;
  const SkipCase cases[] = {
      {"sound from the start", MakeImage({5, 0, 0}), 44},
      {"two zero samples, then 256 (bytes 00 01)", MakeImage({0, 0, 256, 0}), 48},
      {"a sample whose high byte alone is zero", MakeImage({0, 1}), 46},
      {"every sample zero", MakeImage({0, 0, 0}), 50},
      {"no samples at all", MakeImage({}), 44},
      {"an odd byte after the zero samples", WithExtraByte(MakeImage({0, 0}), 0), 48},
      {"an odd non-zero byte after them", WithExtraByte(MakeImage({0}), 9), 46},
  };
  for (const SkipCase& row : cases) {
    EXPECT_EQ(audio::SkipLeadingSilence(row.image.data(), row.image.size()), row.firstSound)
        << row.name;
  }
}

TEST(SkipLeadingSilence, ImageShorterThanItsHeaderHasNothingInIt) {
  const std::vector<std::uint8_t> image(20, 0);
  EXPECT_EQ(audio::SkipLeadingSilence(image.data(), image.size()), 20u);
}

}  // namespace
