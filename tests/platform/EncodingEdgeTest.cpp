// Text crossing the edge of the program: input files and arguments reach the
// program as CP932, whatever the user's files and terminal use.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "TestSupport.h"
#include "platform/Platform.h"

namespace {

std::string ReadAsProgram(const std::string& content) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.path / "input.txt", content);
  platform::InputFile file = platform::ReadInputFile((dir.path / "input.txt").string());
  EXPECT_EQ(file.status, platform::InputReadStatus::Done);
  if (!file.bytes) return "<no bytes>";
  EXPECT_EQ(file.bytes[file.size], '\0');
  return std::string(file.bytes.get(), file.size);
}

struct InputRow {
  const char* name;
  std::string content;
  std::string programSees;
};

TEST(ReadInputFile, ConvertsUtf8AndKeepsShiftJis) {
  const std::string utf8Story = reinterpret_cast<const char*>(u8"<-S:120>こんにちは、げんきですか？");
  const InputRow rows[] = {
      {"UTF-8 text", utf8Story, "<-S:120>こんにちは、げんきですか？"},
      {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8Story, "<-S:120>こんにちは、げんきですか？"},
      {"a byte-order mark on ASCII", "\xEF\xBB\xBF<-S:1>", "<-S:1>"},
      {"Shift-JIS, byte for byte", "<-S:120>こんにちは、げんきですか？", "<-S:120>こんにちは、げんきですか？"},
      {"ASCII alone", "<-c:abc>", "<-c:abc>"},
      // UTF-8 holding a character that CP932 lacks stays as it is.
      {"UTF-8 beyond CP932", reinterpret_cast<const char*>(u8"あ😀"),
       reinterpret_cast<const char*>(u8"あ😀")},
      // Only the text up to the first NUL counts.
      {"UTF-8 before a NUL", std::string(reinterpret_cast<const char*>(u8"あ")) + std::string("\0\xFF", 2),
       "あ"},
      {"invalid bytes", "\xFF\xFE\x82", "\xFF\xFE\x82"},
  };
  for (const InputRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ReadAsProgram(row.content), row.programSees);
  }
}

TEST(ReadInputFile, WhatIsNoInputFile) {
  testsupport::TempDir dir;
  EXPECT_EQ(platform::ReadInputFile(dir.path.string()).status, platform::InputReadStatus::CannotOpen);
  EXPECT_EQ(platform::ReadInputFile((dir.path / "missing").string()).status,
            platform::InputReadStatus::CannotOpen);
  EXPECT_EQ(platform::ReadInputFile("/dev/null").status, platform::InputReadStatus::CannotOpen);
  EXPECT_EQ(platform::ReadInputFile("").status, platform::InputReadStatus::CannotOpen);
}

TEST(ProgramArguments, Utf8ArgumentsReachTheProgramAsCp932) {
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  std::string story = reinterpret_cast<const char*>(u8"こんにちは、げんきですか？");
  std::string beyond = reinterpret_cast<const char*>(u8"あ😀");
  std::string shiftJis = "こんにちは";
  std::string ascii = "-s:120";
  char* argv[] = {ascii.data(), story.data(), beyond.data(), shiftJis.data(), ascii.data()};
  const auto arguments = platform::ProgramArguments(5, argv);
  ASSERT_EQ(arguments.size(), 4u);
  EXPECT_EQ(arguments[0], "こんにちは、げんきですか？");
  EXPECT_EQ(arguments[1], beyond);    // not all in CP932: kept as its bytes
  EXPECT_EQ(arguments[2], shiftJis);  // not UTF-8: kept as its bytes
  EXPECT_EQ(arguments[3], "-s:120");
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(platform::ProgramArguments(2, argv)[0], story);  // no conversion outside UTF-8
}

}  // namespace
