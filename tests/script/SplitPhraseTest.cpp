#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "script/SplitPhrase.h"

namespace {

using script::SplitPhrase;

struct SplitRow {
  std::string input;
  std::int32_t callAt;
  char kind;
  std::string phraseText;
  std::int32_t positionWritten;
};

// Every kana and full-width mark below is two bytes of CP932.
const SplitRow kWorkedExamples[] = {
    {"こんにちは、げんきですか？", 0, '\xA4', "こんにちは、", 11},
    {"こんにちは、げんきですか？", 12, '?', "げんきですか？", 26},
    {"あいう/えお", 0, '/', "あいう/", 6},
    {"あいう/えお", 7, ' ', "えお", 11},
    {"はい。はい、はい", 0, '\xA1', "はい。", 5},
    {"はい。はい、はい", 6, '\xA4', "はい、", 11},
    {"はい。はい、はい", 12, ' ', "はい", 16},
    {"あ;/+い", 0, '+', "あ;/+", 4},
    {"あ;/+い", 5, ' ', "い", 7},
    {"あ？;い", 0, ';', "あ？;", 4},
    {"あ？;い", 5, ' ', "い", 7},
    {"あ,,い", 0, ',', "あ,", 2},
    {"あ,,い", 3, ',', ",", 3},
    {"あ,,い", 4, ' ', "い", 6},
    {"あい\r\nうえ", 0, ' ', "あいうえ", 10},
    {"あいう<-S:120>えお", 0, '+', "あいう+", 5},
    {"あいう<-S:120>えお", 14, ' ', "えお", 18},
    {"あいう;<-S:120>", 0, ';', "あいう;", 6},
    {"あいう\r\n<-S:120>\r\nえお", 0, '+', "あいう+", 7},
    {"あいう\r\n<-S:120>\r\nえお", 18, ' ', "えお", 22},
    {"<-S:120>;えお", 8, ' ', ";えお", 13},
    {"、あ", 0, '\xA4', "、", 1},
    {"、あ", 2, ' ', "あ", 4},
    {"あ？", 0, '?', "あ？", 4},
};

const SplitRow kEdgeCases[] = {
    // No mark at all: one plain phrase, line breaks dropped, position at the end.
    {"あい\nう\rえ", 0, ' ', "あいうえ", 10},
    {",あ", 0, ',', ",", 0},
    // Soft marks in front of the first ordinary character do not decide the kind.
    {";/あ", 0, ' ', ";/あ", 4},
    // A closing mark inside a run of soft marks ends the phrase with its own kind.
    {"あ;,い", 0, ',', "あ;,", 3},
    {"あ;。い", 0, '\xA1', "あ;。", 4},
    // A "？" followed by another soft mark gives that mark's kind.
    {"あ？+", 0, '+', "あ？+", 5},
    // Soft marks with line breaks between them still belong to the phrase.
    {"あ;\r\n/い", 0, '/', "あ;/", 5},
    // "<-" after soft marks adds nothing.
    {"あ/<-S:1>", 0, '/', "あ/", 2},
    // A lone lead byte at the end is the phrase's last byte.
    {"あ\x82", 0, ' ', "あ\x82", 3},
    // A lead byte takes ",", CR or LF as its second byte.
    {"\x82,い", 0, ' ', "\x82,い", 4},
    {"\x82\rい", 0, ' ', "\x82\rい", 4},
    {"\x82\nい", 0, ' ', "\x82\nい", 4},
    // The space and the half-width 0xA1 and 0xA4 are ordinary characters.
    {"あ \xA1\xA4い", 0, ' ', "あ \xA1\xA4い", 7},
    // The full-width exclamation mark is ordinary.
    {"あ！い", 0, ' ', "あ！い", 6},
    // A "<" not followed by "-" is ordinary, also as the last byte.
    {"あ<い<", 0, ' ', "あ<い<", 6},
    // Line breaks up to the end: an empty phrase of the plain kind.
    {"\r\n\r\n", 0, ' ', "", 4},
    // A start on "<-" does not advance: the position is one in front of it.
    {"<-S:1>", 0, '+', "+", -1},
    {"\r\n<-S:1>", 0, '+', "+", 1},
    // "<" at the end of a line and "-" at the start of the next are two characters.
    {"あ<\r\n-い", 0, ' ', "あ<-い", 8},
    {"あ<-い", 0, '+', "あ+", 1},
    {"あ<-い", 2, '+', "+", 1},
    // An embedded NUL ends the text like its end.
    {std::string("あい\0う", 7), 0, ' ', "あい", 4},
    // A "、" cut in half by the end of the text is an ordinary lone lead byte.
    {"あ\x81", 0, ' ', "あ\x81", 3},
};

void CheckRows(const SplitRow* rows, std::size_t count) {
  for (std::size_t index = 0; index < count; ++index) {
    const SplitRow& row = rows[index];
    SCOPED_TRACE("row " + std::to_string(index) + " at " + std::to_string(row.callAt));
    std::int32_t position = row.callAt;
    const std::string statement = SplitPhrase(row.input, &position);
    ASSERT_FALSE(statement.empty());
    EXPECT_EQ(statement[0], row.kind);
    EXPECT_EQ(statement.substr(1), row.phraseText);
    EXPECT_EQ(position, row.positionWritten);
  }
}

TEST(SplitPhrase, WorkedExamples) { CheckRows(kWorkedExamples, std::size(kWorkedExamples)); }

TEST(SplitPhrase, EdgeCases) { CheckRows(kEdgeCases, std::size(kEdgeCases)); }

TEST(SplitPhrase, EmptyResultLeavesThePositionAlone) {
  std::int32_t position = 4;
  EXPECT_EQ(SplitPhrase("あい", &position), "");  // a start on the terminator
  EXPECT_EQ(position, 4);
  position = 2;
  EXPECT_EQ(SplitPhrase(std::string("あ\0い", 5), &position), "");
  EXPECT_EQ(position, 2);
  position = 0;
  EXPECT_EQ(SplitPhrase(std::string_view(), &position), "");  // an absent text
  EXPECT_EQ(position, 0);
  position = 9;
  EXPECT_EQ(SplitPhrase("あ", &position), "");  // outside the text
  EXPECT_EQ(position, 9);
}

TEST(SplitPhrase, AbsentPositionStartsAtTheBeginning) {
  EXPECT_EQ(SplitPhrase("あ、い", nullptr), "\xA4" "あ、");
}

TEST(SplitPhrase, FinishPhraseJoinsKindAndText) {
  EXPECT_EQ(script::FinishPhrase('?', "あ？"), "?あ？");
  EXPECT_EQ(script::FinishPhrase(' ', ""), " ");
}

// Cutting a whole text by the callers' protocol gives back every byte but the
// line breaks, in order, for any mix of marks.
TEST(SplitPhrase, PhrasesJoinBackToTheText) {
  const std::string text = "あ、い。う,,え；お？;/+か\r\nき+く？け \xA1こ！";
  std::string joined;
  std::int32_t position = 0;
  while (position < static_cast<std::int32_t>(text.size())) {
    if (text[position] == '\r' || text[position] == '\n') {
      ++position;
      continue;
    }
    const std::string statement = SplitPhrase(text, &position);
    joined += statement.substr(1);
    ++position;
  }
  std::string expected;
  for (char byte : text) {
    if (byte != '\r' && byte != '\n') expected.push_back(byte);
  }
  EXPECT_EQ(joined, expected);
}

}  // namespace
