// The program's start: usage, input choice and loading, and the exit codes of
// every run that ends before anything is spoken.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

using testsupport::RunCommand;

const std::string kNothingToRead = "読み上げ対象が存在しません。\n";
const std::string kWaveRefused =
    "拡張子が「WAV」のファイルは入力ファイルとして使用することがきません。\n";
const std::string kNoBuffer = "音声記号格納バッファの確保に失敗しました。\n";

testsupport::ProcessResult RunYomiage(const std::vector<std::string>& arguments,
                               const std::filesystem::path& workingDirectory = {}) {
  testsupport::RunOptions options;
  options.environment = {{"LC_ALL", "C"}};
  options.workingDirectory = workingDirectory;
  return RunCommand((testsupport::BuildDirectory() / "yomiage").string(), arguments, options);
}

std::string UsageText() {
  return testsupport::Cp932(
      testsupport::ReadFileBytes(std::filesystem::path(YOMIAGE_CLI_FIXTURES) / "usage-utf8.txt"));
}

TEST(Driver, UsageTextIsByteForByteCp932) {
  const auto result = RunYomiage({});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.output, UsageText());
  // The range brackets are ASCII and the tilde is the full-width one.
  EXPECT_NE(result.output.find(" -s\t\x81\x75-s:\x90\x94\x92\x6C(50\x81\x60" "300)"), std::string::npos);
  EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 14);
  EXPECT_TRUE(result.errors.empty());
}

TEST(Driver, UsageRequests) {
  const std::vector<std::vector<std::string>> requests = {
      {"-h"}, {"-?"}, {"/h"}, {"/?"}, {"-help"}, {"あ", "-h"}, {"-o", "あ", "-?"}};
  for (const auto& arguments : requests) {
    SCOPED_TRACE(::testing::PrintToString(arguments));
    const auto result = RunYomiage(arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.output, UsageText());
  }
}

struct FailureRow {
  std::vector<std::string> arguments;
  std::string output;
  int exitCode;
};

TEST(Driver, RunsThatEndBeforeSpeaking) {
  const std::vector<FailureRow> rows = {
      {{"-o"}, kNothingToRead, 1},
      {{"-o", "-s:100", "-O", "-", "/"}, kNothingToRead, 1},
      {{""}, kNothingToRead, 1},
      {{"\r\n\r\n"}, kNothingToRead, 1},
      {{"<-S:120"}, "", 0},
      {{"a.wav"}, kWaveRefused, 1},
      {{"A.WAV"}, kWaveRefused, 1},
      {{"あ", "story.wav"}, kWaveRefused, 1},
      {{"story.wav", "あ"}, "", 0},
      {{"a.Wav"}, "", 0},
      // No output file under either name: the run ends before the engine loads.
      {{"-f:/nonexistent-yomiage/out.wav", "/nonexistent-yomiage/story.txt"},
       "出力ファイル「/nonexistent-yomiage/story.wav」が生成できません。\n", 1},
      {{".wav"}, "", 0},
  };
  for (const FailureRow& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.arguments));
    const auto result = RunYomiage(row.arguments);
    EXPECT_EQ(result.exitCode, row.exitCode);
    if (row.exitCode == 1) {
      EXPECT_EQ(result.output, row.output);
    } else {
      EXPECT_EQ(result.output.find(kWaveRefused), std::string::npos);
    }
  }
}

TEST(Driver, InputFilesWithNothingToRead) {
  testsupport::TempDir dir;
  const std::vector<std::pair<std::string, std::string>> files = {
      {"empty.txt", ""},
      {"breaks.txt", "\r\n\n\r\n"},
      {"nul.txt", std::string(64, '\0')},
      {"nul-first.txt", std::string("\0あいう", 7)},
  };
  for (const auto& [name, content] : files) {
    SCOPED_TRACE(name);
    testsupport::WriteFileBytes(dir.path / name, content);
    const auto result = RunYomiage({(dir.path / name).string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.output, kNothingToRead);
  }
}

// Inputs that are never a failure: what cannot be read as a file is spoken as
// text, and odd bytes are read safely.
TEST(Driver, InputsThatGoOn) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.path / "lead-at-end.txt", "あいう\x82");
  testsupport::WriteFileBytes(dir.path / "unclosed.txt", "あ<-S:120");
  testsupport::WriteFileBytes(dir.path / "locked.txt", "あ");
  std::filesystem::permissions(dir.path / "locked.txt", std::filesystem::perms::none);
  const std::vector<std::string> inputs = {
      (dir.path / "lead-at-end.txt").string(), (dir.path / "unclosed.txt").string(),
      (dir.path / "locked.txt").string(), dir.path.string(), (dir.path / "missing.txt").string(),
      "\xFC", "<-", "<-S:>"};
  for (const std::string& input : inputs) {
    SCOPED_TRACE(input);
    const auto result = RunYomiage({input});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output.find(kNothingToRead), std::string::npos);
  }
}

TEST(Driver, FileBeyondThePositionRangeGetsNoBuffer) {
  testsupport::TempDir dir;
  const auto huge = dir.path / "huge.txt";
  testsupport::WriteFileBytes(huge, "あ");
  std::filesystem::resize_file(huge, 3ull << 30);  // sparse: no disk is used
  const auto result = RunYomiage({huge.string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.output, kNoBuffer);
}

// Kernel attribute files claim a size of a page but deliver a few bytes.
TEST(Driver, ShortReadIsReported) {
  const std::string shortFile = "/sys/devices/system/cpu/online";
  if (!std::filesystem::exists(shortFile)) GTEST_SKIP() << "no sysfs here";
  const auto result = RunYomiage({shortFile});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.output, "「" + shortFile + "」の読み込みに失敗しました。\n");
}

}  // namespace
