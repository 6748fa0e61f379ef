// Synthesis with overflow recovery: which texts the engine is asked for, in
// which order, and what is left to speak.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "render/Recovery.h"

// Every kana and full-width mark below is two bytes of CP932.
namespace {

// An engine that refuses texts longer than a limit as too long, answers
// chosen texts with chosen codes, and records every call. Its image is the
// text it spoke, so a test can tell which call's image came back.
struct FakeEngine {
  std::size_t acceptUpTo = SIZE_MAX;
  std::int32_t overflowCode = 202;
  std::map<std::string, std::int32_t> answers;  // text -> code, no image
  std::vector<std::string> calls;
  std::vector<int> speeds;
  std::vector<std::unique_ptr<std::string>> images;
};

FakeEngine* engine = nullptr;  // the engine of the running test

unsigned char* YOMIAGE_ENGINE_CALL FakeSynthe(const char* text, int speed, int* codeSlot) {
  engine->calls.emplace_back(text);
  engine->speeds.push_back(speed);
  if (auto answer = engine->answers.find(text); answer != engine->answers.end()) {
    *codeSlot = answer->second;
    return nullptr;
  }
  if (std::strlen(text) > engine->acceptUpTo) {
    *codeSlot = engine->overflowCode;
    return nullptr;
  }
  engine->images.push_back(std::make_unique<std::string>(text));
  *codeSlot = static_cast<int>(44 + std::strlen(text));
  return reinterpret_cast<unsigned char*>(engine->images.back()->data());
}

class RecoveryTest : public ::testing::TestWithParam<std::int32_t> {
 protected:
  void SetUp() override {
    fake.overflowCode = GetParam();
    engine = &fake;
  }
  void TearDown() override { engine = nullptr; }
  FakeEngine fake;
};

constexpr std::int32_t kImageSize = 0;  // expected code: the size of the image
constexpr std::int32_t kOverflow = -1;  // expected code: the engine's overflow code

struct Case {
  const char* name;
  std::string text;
  std::size_t acceptUpTo;                     // in bytes
  std::map<std::string, std::int32_t> answers;
  std::vector<std::string> calls;
  std::optional<std::string> spoken;          // the returned image's text
  std::int32_t code;
  std::string pending;
};

const std::string kThreePhrases = "あい、うえ、おか";  // 6 + 6 + 4 bytes

const Case kCases[] = {
    {"accepted at once", "こんにちは、げんきですか？", SIZE_MAX, {},
     {"こんにちは、げんきですか？"}, "こんにちは、げんきですか？", kImageSize, ""},
    {"three phrases, the first two accepted", kThreePhrases, 12, {},
     {kThreePhrases, "あい、うえ、"}, "あい、うえ、", kImageSize, "おか"},
    {"phrases down to the first alone", kThreePhrases, 6, {},
     {kThreePhrases, "あい、うえ、", "あい、"}, "あい、", kImageSize, "うえ、おか"},
    {"one phrase ending in a double-byte character: first cut is the whole text", "abあ", 2, {},
     {"abあ", "abあ", "ab"}, "ab", kImageSize, "あ"},
    {"cuts inside a character take its second byte", "あいう", 3, {},
     {"あいう", "あいう", "あい", "あい", "あ"}, "あ", kImageSize, "いう"},
    {"leading bytes are cut from the text as it came", "あいう、え", 3, {},
     {"あいう、え", "あいう、", "あいう、え", "あいう、", "あいう、", "あいう", "あいう", "あい", "あい", "あ"},
     "あ", kImageSize, "いう、え"},
    {"final code during phrase retries", kThreePhrases, 12, {{"あい、うえ、", 105}},
     {kThreePhrases, "あい、うえ、"}, std::nullopt, 105, ""},
    {"final code during byte retries", "abあ", 2, {{"ab", 105}},
     {"abあ", "abあ", "ab"}, std::nullopt, 105, ""},
    {"every retry refused", "aあ、b", 0, {},
     {"aあ、b", "aあ、", "aあ、", "aあ、", "aあ", "aあ", "a"}, std::nullopt, kOverflow, ""},
    {"final code at the first call", "あ", SIZE_MAX, {{"あ", 102}}, {"あ"}, std::nullopt, 102, ""},
    {"no image with a size is no success", "あい", SIZE_MAX, {{"あい", 48}},
     {"あい"}, std::nullopt, 48, ""},
    {"a \"<-\" in the text: the phrase before it gets its \"+\"", "あ<-い", 3, {},
     {"あ<-い", "あ+"}, "あ+", kImageSize, "<-い"},
    {"byte cuts leave out the \"+\" the phrase cut added", "あ<-い", 1, {},
     {"あ<-い", "あ+", "あ<-い", "あ<-", "あ<", "あ", "あ"}, std::nullopt, kOverflow, ""},
    {"a NUL ends the text", std::string("ab\0cd", 5), 1, {}, {"ab", "a"}, "a", kImageSize, "b"},
};

TEST_P(RecoveryTest, CallsInOrderAndLeavesTheRest) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    fake.calls.clear();
    fake.speeds.clear();
    fake.acceptUpTo = c.acceptUpTo;
    fake.answers = c.answers;

    std::string pending = c.text;
    std::int32_t code = 0;
    std::uint8_t* image = render::SynthesizeWithRecovery(FakeSynthe, &code, pending, 77);

    EXPECT_EQ(fake.calls, c.calls);
    EXPECT_EQ(fake.speeds, std::vector<int>(fake.calls.size(), 77));
    EXPECT_EQ(pending, c.pending);
    if (c.spoken) {
      ASSERT_NE(image, nullptr);
      const std::string spoken(reinterpret_cast<const char*>(image));
      EXPECT_EQ(spoken, *c.spoken);
      EXPECT_EQ(code, static_cast<std::int32_t>(44 + spoken.size()));
    } else {
      EXPECT_EQ(image, nullptr);
      EXPECT_EQ(code, c.code == kOverflow ? GetParam() : c.code);
    }
  }
}

// The interpreter calls again until nothing is left; a "<-" in the text must
// not hold that loop up.
TEST_P(RecoveryTest, RepeatedCallsSpeakEverythingPastLessThanDash) {
  fake.acceptUpTo = 3;
  std::string pending = "あ<-い";
  std::vector<std::string> spoken;
  for (int round = 0; !pending.empty() && round < 100; ++round) {
    std::int32_t code = 0;
    std::uint8_t* image = render::SynthesizeWithRecovery(FakeSynthe, &code, pending, 100);
    ASSERT_NE(image, nullptr);
    spoken.emplace_back(reinterpret_cast<const char*>(image));
  }
  const std::vector<std::string> expectedSpoken{"あ+", "<-", "い"};
  const std::vector<std::string> expectedCalls{"あ<-い", "あ+", "<-い", "<-い", "<-", "い"};
  EXPECT_EQ(spoken, expectedSpoken);
  EXPECT_EQ(fake.calls, expectedCalls);
}

TEST_P(RecoveryTest, LessThanDashRunsEndWhateverTheLimit) {
  const std::string texts[] = {"<-<-<-", "a<-<-b", "<-", "あ;<-い<-", "<<-<", "あ<-<-<-い"};
  for (const std::string& text : texts) {
    for (std::size_t limit = 0; limit <= text.size(); ++limit) {
      SCOPED_TRACE(text + " limit " + std::to_string(limit));
      fake.acceptUpTo = limit;
      std::string pending = text;
      // The "+" given to a phrase that runs into "<-" can keep the rest as
      // long as the text once, never more: the rest already holds its "+".
      int rounds = 0;
      while (!pending.empty() && rounds <= 2 * static_cast<int>(text.size())) {
        std::int32_t code = 0;
        render::SynthesizeWithRecovery(FakeSynthe, &code, pending, 100);
        ++rounds;
      }
      EXPECT_TRUE(pending.empty());
    }
  }
}

TEST_P(RecoveryTest, WithoutEngineNothingChanges) {
  std::string pending = "あいう";
  std::int32_t code = 7;
  EXPECT_EQ(render::SynthesizeWithRecovery(nullptr, &code, pending, 100), nullptr);
  EXPECT_EQ(code, 7);
  EXPECT_EQ(pending, "あいう");
  EXPECT_TRUE(fake.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(OverflowCodes, RecoveryTest, ::testing::Values(202, 204),
                         [](const auto& info) { return "Code" + std::to_string(info.param); });

}  // namespace
