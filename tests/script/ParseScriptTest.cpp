#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/ParseScript.h"

namespace {

std::vector<std::string> Parse(const std::string& text) {
  const script::StatementList list = script::ParseScript(text);
  std::vector<std::string> statements;
  for (std::size_t index = 0; index < list.Count(); ++index) {
    statements.emplace_back(list.At(index));
  }
  return statements;
}

struct ParseRow {
  const char* name;
  std::string input;
  std::vector<std::string> statements;
};

const ParseRow kRows[] = {
    {"empty text", "", {}},
    {"line breaks only", "\r\n\n\r", {}},
    {"NUL first", std::string("\0あ", 3), {}},
    {"one control statement", "<-S:120>", {"<", "S120", "<"}},
    {"empty value is dropped", "<-S:>", {"<", "<"}},
    {"unknown letter", "<-x:1>あ", {"<", " あ", "<"}},
    {"control letter without colon", "<-S120>あ", {"<", " あ", "<"}},
    {"capital C is no control letter", "<-C:text>あ", {"<", " あ", "<"}},
    {"opener closed at once", "<->あ", {"<", " あ", "<"}},
    {"text ends after an opener", "あ<-", {"+あ+", "<", "<"}},
    {"text ends inside a value", "<-S:120", {"<", "<"}},
    {"text ends after the letter", "<-S", {"<", "<"}},
    {"text ends after the colon", "<-S:", {"<", "<"}},
    {"value runs to the first closing byte", "<-S:12<-V:50>", {"<", "S12<-V:50", "<"}},
    {"comment spans a line break", "<-c:あ\r\nい>", {"<", "cあ\r\nい", "<"}},
    {"phrase then control statement", "あいう<-S:120>えお", {"+あいう+", "<", "S120", " えお", "<"}},
    {"soft mark before a control statement", "あいう;<-S:120>", {";あいう;", "<", "S120", "<"}},
    {"soft mark after a control statement", "<-S:120>;えお", {"<", "S120", " ;えお", "<"}},
    {"line breaks around a control statement", "あいう\r\n<-S:120>\r\nえお",
     {"+あいう+", "<", "S120", " えお", "<"}},
    {"a lone < is text", "あ<い", {" あ<い", "<"}},
    {"a < as the last byte is text", "あ<", {" あ<", "<"}},
    {"bytes after a NUL are never parsed", std::string("あ\0<-S:1>", 9), {" あ", "<"}},
    {"the road of one file", "<-S:120>こんにちは、げんきですか？",
     {"<", "S120", "\xA4こんにちは、", "?げんきですか？", "<"}},
    {"every control letter", "<-B:1><-b:2><-D:x><-d:y><-M:3><-m:0><-S:1><-s:2><-V:3><-v:4><-c:z>",
     {"<", "B1", "<", "b2", "<", "Dx", "<", "dy", "<", "M3", "<", "m0", "<", "S1", "<", "s2", "<",
      "V3", "<", "v4", "<", "cz", "<"}},
    {"the value keeps every byte", "<-c: <-:\r\xE0\x40>", {"<", "c <-:\r\xE0\x40", "<"}},
    // The scan is by bytes: a ">" closes the value even behind a lead byte.
    {"a closing byte behind a lead byte", "<-c:\xE0><-S:1>", {"<", "c\xE0", "<", "S1", "<"}},
};

TEST(ParseScript, Table) {
  for (const ParseRow& row : kRows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Parse(row.input), row.statements);
  }
}

// The worked phrase examples seen through the parser: the positions that the
// splitter writes back must let the parser resume at exactly the right byte.
TEST(ParseScript, PhrasesResumeBehindTheirLastByte) {
  EXPECT_EQ(Parse("はい。はい、はい"), (std::vector<std::string>{"\xA1はい。", "\xA4はい、", " はい", "<"}));
  EXPECT_EQ(Parse("あ,,い"), (std::vector<std::string>{",あ,", ",,", " い", "<"}));
  EXPECT_EQ(Parse("、あ"), (std::vector<std::string>{"\xA4、", " あ", "<"}));
  EXPECT_EQ(Parse("あ；/い"), (std::vector<std::string>{"/あ；/", " い", "<"}));
}

TEST(ParseScript, InvariantsHoldOnArbitraryBytes) {
  // A fixed pseudo-random stream rich in the bytes the parser looks for.
  const char alphabet[] = {'<', '-', ':', '>', '\r', '\n', ',', ';', '/', '+', 'S', 'c', 'x',
                           '\x81', '\x41', '\x42', '\x48', '\x82', '\xA0', '\0', '\xE0', ' '};
  std::uint32_t seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int length = round % 40;
    for (int k = 0; k < length; ++k) {
      seed = seed * 1103515245u + 12345u;
      text.push_back(alphabet[(seed >> 16) % sizeof alphabet]);
    }
    const script::StatementList list = script::ParseScript(text);
    if (list.Empty()) continue;
    SCOPED_TRACE(::testing::PrintToString(text));
    EXPECT_EQ(list.At(list.Count() - 1), "<");
    for (std::size_t index = 0; index < list.Count(); ++index) {
      const std::string_view statement = list.At(index);
      EXPECT_EQ(statement.find('\0'), std::string_view::npos);
      if (statement == "<") continue;
      EXPECT_GE(statement.size(), 2u);
      if (script::IsControlLetter(statement[0])) {
        ASSERT_GT(index, 0u);
        EXPECT_EQ(list.At(index - 1), "<");
      }
    }
  }
}

}  // namespace
