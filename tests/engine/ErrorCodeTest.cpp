// The engine's refusals: which texts get which code, and that no text, however
// broken, makes it crash, hang or read behind the NUL.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "EngineLibrary.h"

namespace enginetest {
namespace {

const EngineLibrary& Engine() {
  static const EngineLibrary engine(BundledEngine());
  return engine;
}

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

// The text in a heap block of exactly its size, so that the address sanitizer
// catches a read behind the NUL.
Synthesis SynthesizeExact(const std::string& text, int speed = 100) {
  const std::unique_ptr<char[]> block(new char[text.size() + 1]);
  std::memcpy(block.get(), text.data(), text.size());
  block[text.size()] = '\0';
  return Engine().Synthesize(block.get(), speed);
}

TEST(EngineCodes, EachTextGetsItsCode) {
  struct Case {
    const char* name;
    std::string text;
    int code;  // 0: an image
  };
  const Case cases[] = {
      {"kana", "あ", 0},
      {"every mark", "あ、い。う？え,お;か/き+く'け_こ さ", 0},
      {"ASCII letters", "abc", 105},
      {"ASCII question mark", "そう?", 105},
      {"exclamation mark", "あ！", 105},
      {"kanji", "漢字", 105},
      {"full-width letter", "Ａ", 105},
      {"half-width katakana", "\xB1\xB2", 105},
      {"iteration mark", "あゝ", 105},
      {"line break", "あ\r\nい", 105},
      {"tab", "あ\tい", 105},
      {"lead byte alone", "\x82", 105},
      {"lead byte at the end", "あい\x83", 105},
      {"undefined after kana", "あいうえおかきくけこX", 105},
      {"empty", "", 111},
      {"marks only", "、。？,;/+ '_", 111},
      {"long-vowel mark only", "ー", 111},
      {"geminate only", "っー", 111},
      {"128 morae in a phrase", Repeat("あ", 128), 0},
      {"129 morae in a phrase", Repeat("あ", 129), 202},
      {"long vowels count", Repeat("あー", 65), 202},
      {"spaces do not end a phrase", Repeat("あ", 64) + " " + Repeat("あ", 65), 202},
      {"each phrase counts alone", Repeat("あ", 128) + "/" + Repeat("い", 128), 0},
      {"1024 bytes", "あ" + std::string(1020, ' ') + "い", 0},
      {"1025 bytes", "あ" + std::string(1021, ' ') + "い", 204},
      {"too long before anything else", std::string(2000, 'x'), 204},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    const Synthesis synthesis = SynthesizeExact(row.text);
    if (row.code == 0) {
      EXPECT_TRUE(synthesis.hasImage) << "code " << synthesis.codeSlot;
      EXPECT_GT(synthesis.codeSlot, 44);
    } else {
      EXPECT_FALSE(synthesis.hasImage);
      EXPECT_EQ(synthesis.codeSlot, row.code);
    }
  }
}

TEST(EngineCodes, NullArgumentsDoNotCrash) {
  int codeSlot = 0;
  EXPECT_EQ(Engine().synthe(nullptr, 100, &codeSlot), nullptr);
  EXPECT_EQ(codeSlot, 111);
  EXPECT_EQ(Engine().synthe("あ", 100, nullptr), nullptr);
  EXPECT_EQ(Engine().synthe(nullptr, 100, nullptr), nullptr);
  Engine().freeWave(nullptr);
}

// Random texts made of the bytes that matter (lead bytes, kana, marks, NUL
// stand-ins at the end) and of any bytes at all.
TEST(EngineCodes, AnyBytesGiveAnImageOrAKnownCode) {
  const std::string kanaAndMarks[] = {"あ", "ア", "ゃ", "っ", "ー", "ん", "、", "。", "？", ",", ";",
                                      "/",  "+",  "'",  "_",  " ",  "ヴ", "ゎ", "ヶ", "\x82", "\x81"};
  std::mt19937 random(20240611);
  int images = 0;
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int pieces = static_cast<int>(random() % 12);
    for (int i = 0; i < pieces; ++i) {
      if (random() % 8 == 0) {
        text += static_cast<char>(1 + random() % 255);
      } else {
        text += kanaAndMarks[random() % std::size(kanaAndMarks)];
      }
    }
    const Synthesis synthesis = SynthesizeExact(text, 50 + static_cast<int>(random() % 251));
    if (synthesis.hasImage) {
      ++images;
      ASSERT_EQ(synthesis.image.size(), static_cast<std::size_t>(synthesis.codeSlot));
      ASSERT_EQ(LittleEndian(synthesis.image, 40, 4), synthesis.image.size() - 44);
    } else {
      ASSERT_TRUE(synthesis.codeSlot == 105 || synthesis.codeSlot == 111) << synthesis.codeSlot;
    }
  }
  EXPECT_GT(images, 30);
}

}  // namespace
}  // namespace enginetest
