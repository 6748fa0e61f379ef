// What the engine says: real speech, as long as the text, every symbol of the
// notation read as Japanese.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "EngineLibrary.h"

namespace enginetest {
namespace {

const EngineLibrary& Engine() {
  static const EngineLibrary engine(BundledEngine());
  return engine;
}

TEST(EngineSpeech, IsLoudInMostOfItsFrames) {
  const Synthesis synthesis = Engine().Synthesize("こんにちは、げんきですか？");
  ASSERT_TRUE(synthesis.hasImage);
  const std::vector<std::int16_t> samples = Samples(synthesis);
  constexpr std::size_t kFrame = 160;  // 20 ms
  std::size_t frames = 0, loudFrames = 0;
  for (std::size_t start = 0; start + kFrame <= samples.size(); start += kFrame, ++frames) {
    const std::vector<std::int16_t> frame(samples.begin() + start, samples.begin() + start + kFrame);
    if (Loudness(frame) > 1000) ++loudFrames;
  }
  EXPECT_GT(Loudness(samples), 2000);
  EXPECT_GT(loudFrames * 10, frames * 6) << loudFrames << " of " << frames << " frames";
  EXPECT_GT(MedianPitch(samples), 0.0);
}

TEST(EngineSpeech, LastsLongerWithMoreMorae) {
  struct Case {
    const char* text;
    int morae;
  };
  const Case cases[] = {
      {"あ", 1},
      {"あいうえお", 5},
      {"あいうえお/かきくけこ", 10},
      {"あいうえお/かきくけこ/さしすせそ/たちつてと", 20},
      {"あいうえお/かきくけこ/さしすせそ/たちつてと/なにぬねの/はひふへほ/まみむめも/やゆよわを", 40},
  };
  double previousSeconds = 0.0;
  for (const Case& row : cases) {
    SCOPED_TRACE(std::to_string(row.morae) + " morae");
    const Synthesis synthesis = Engine().Synthesize(row.text);
    ASSERT_TRUE(synthesis.hasImage);
    const double seconds = Seconds(synthesis);
    EXPECT_GT(seconds, previousSeconds);
    // Everyday Japanese speech: some 5 to 12 morae a second.
    if (row.morae >= 5) {
      EXPECT_GT(row.morae / seconds, 5.0) << seconds << " s";
      EXPECT_LT(row.morae / seconds, 12.0) << seconds << " s";
    }
    previousSeconds = seconds;
  }
}

// A symbol espeak-ng does not read as Japanese comes out as English words
// ("Japanese letter"), which take a second or more.
TEST(EngineSpeech, EverySymbolIsShortJapaneseSpeech) {
  std::vector<std::string> texts;
  for (unsigned code = 0x829F; code <= 0x82F1; ++code) {  // every hiragana
    texts.push_back({static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)});
  }
  for (unsigned code = 0x8340; code <= 0x8396; ++code) {  // every katakana
    if (code == 0x837F) continue;
    texts.push_back({static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)});
  }
  // Small kana alone, pairs espeak-ng misreads, ー where espeak-ng has no
  // vowel to lengthen, and ー right after a change of pitch or loudness.
  for (const char* text : {"ぁ", "ゃ", "っ", "ゎ", "ヵ", "ヶ", "ヴァ", "んー", "っー", "あーー", "かーーん",
                           "きゃ", "りょ", "くぁ", "すぃ", "ふゅ", "かぃ", "っか", "ん'", "_し", "ゃあ",
                           "かー？", "か'ーど", "あ_ーい", "で_すー", "_ー", "ん_ー", "/ーあ"}) {
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    const Synthesis synthesis = Engine().Synthesize(text.c_str());
    if (!synthesis.hasImage) {
      // っ, ー and their like make no sound of their own.
      EXPECT_EQ(synthesis.codeSlot, 111) << "bytes " << std::hex
                                         << (static_cast<unsigned>(text[0]) & 0xFF);
      continue;
    }
    EXPECT_LT(Seconds(synthesis), 0.7) << "bytes " << std::hex << (static_cast<unsigned>(text[0]) & 0xFF)
                                       << " " << (static_cast<unsigned>(text[1]) & 0xFF);
    EXPECT_GT(Loudness(Samples(synthesis)), 500);
  }
}

// Pairs of texts the engine must say alike: lengths are exact, only the
// noise in the consonants differs from call to call.
TEST(EngineSpeech, SpellingsOfTheSameSoundLastTheSame) {
  struct Case {
    const char* text;
    const char* sameAs;
  };
  const Case cases[] = {
      {"カタカナ/ヲ/ヨム", "かたかな/を/よむ"},            // katakana as hiragana
      {"、げんきですか？", "げんきですか？"},             // the terminator of the sentence before
      {"。？,あした", "あした"},
      {"てんき+です", "てんきです"},                       // "+" joins without a sound
      {"いい  てんき", "いい/てんき"},                     // spaces are word boundaries
  };
  for (const Case& row : cases) {
    const Synthesis synthesis = Engine().Synthesize(row.text);
    const Synthesis expected = Engine().Synthesize(row.sameAs);
    ASSERT_TRUE(synthesis.hasImage && expected.hasImage);
    EXPECT_NEAR(Seconds(synthesis), Seconds(expected), 0.02) << "row " << (&row - cases);
  }
}

TEST(EngineSpeech, MarksInsideASentenceArePauses) {
  const double joined = Seconds(Engine().Synthesize("あしたわ/はれ"));
  for (const char* text : {"あしたわ、はれ", "あしたわ,はれ", "あしたわ;はれ", "あしたわ。はれ"}) {
    const Synthesis synthesis = Engine().Synthesize(text);
    ASSERT_TRUE(synthesis.hasImage);
    EXPECT_GT(Seconds(synthesis), joined + 0.08) << "a pause of at least 80 ms";
  }
}

TEST(EngineSpeech, QuestionEndsHigherThanStatement) {
  const std::vector<std::int16_t> question = Samples(Engine().Synthesize("そうですか？"));
  const std::vector<std::int16_t> statement = Samples(Engine().Synthesize("そうですか。"));
  const std::size_t tail = 2400;  // the last 300 ms
  ASSERT_GT(question.size(), tail);
  ASSERT_GT(statement.size(), tail);
  const double questionEnd = MedianPitch({question.end() - tail, question.end()});
  const double statementEnd = MedianPitch({statement.end() - tail, statement.end()});
  EXPECT_GT(questionEnd, statementEnd * 1.15) << questionEnd << " Hz against " << statementEnd << " Hz";
}

TEST(EngineSpeech, AccentMarkLowersThePitchAfterIt) {
  // は'し (chopsticks) falls after its first mora; はし' keeps it up.
  const std::vector<std::int16_t> early = Samples(Engine().Synthesize("は'しを"));
  const std::vector<std::int16_t> late = Samples(Engine().Synthesize("はし'を"));
  ASSERT_FALSE(early.empty());
  ASSERT_FALSE(late.empty());
  const std::size_t middle = std::min(early.size(), late.size()) / 2;
  const double earlyMiddle = MedianPitch({early.begin() + middle - 800, early.begin() + middle + 800});
  const double lateMiddle = MedianPitch({late.begin() + middle - 800, late.begin() + middle + 800});
  EXPECT_GT(lateMiddle, earlyMiddle * 1.15) << lateMiddle << " Hz against " << earlyMiddle << " Hz";
}

}  // namespace
}  // namespace enginetest
