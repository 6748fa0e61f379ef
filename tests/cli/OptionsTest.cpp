#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/Options.h"

namespace {

struct Expected {
  std::int32_t baseSpeed = 100;
  std::int32_t baseVolume = 100;
  bool showComments = true;
  bool showControl = true;
  bool locked = false;
  bool fileOutput = false;
  bool appendOutput = false;
  std::string outputPath;
  std::optional<std::string> input;
  bool usage = false;
};

struct OptionRow {
  std::vector<std::string> arguments;
  Expected expected;
};

Expected With(auto change) {
  Expected expected;
  change(expected);
  return expected;
}

const std::vector<OptionRow>& Rows() {
  static const std::vector<OptionRow> rows = {
      {{"x"}, With([](Expected& e) { e.input = "x"; })},
      {{"first", "second"}, With([](Expected& e) { e.input = "second"; })},
      {{"-o"}, With([](Expected& e) { e.fileOutput = true; })},
      {{"-output"}, With([](Expected& e) { e.fileOutput = true; })},
      {{"/o"}, With([](Expected& e) { e.fileOutput = true; })},
      {{"-a"}, With([](Expected& e) { e.fileOutput = e.appendOutput = true; })},
      {{"-f"}, With([](Expected& e) { e.fileOutput = true; })},
      {{"-f:"}, With([](Expected& e) { e.fileOutput = true; })},
      {{"-fout.wav"}, With([](Expected& e) { e.fileOutput = true; })},
      {{"-f:out.wav"}, With([](Expected& e) { e.fileOutput = true; e.outputPath = "out.wav"; })},
      {{"/f:out.wav"}, With([](Expected& e) { e.fileOutput = true; e.outputPath = "out.wav"; })},
      {{"-f:a.wav", "-f:"}, With([](Expected& e) { e.fileOutput = true; e.outputPath = "a.wav"; })},
      {{"-s:0"}, Expected{}},
      {{"-s:20"}, With([](Expected& e) { e.baseSpeed = 50; })},
      {{"-s:-5"}, With([](Expected& e) { e.baseSpeed = 50; })},
      {{"-s:999"}, With([](Expected& e) { e.baseSpeed = 300; })},
      {{"-s:150abc"}, With([](Expected& e) { e.baseSpeed = 150; })},
      {{"-s: +120"}, With([](Expected& e) { e.baseSpeed = 120; })},
      {{"-s:abc"}, Expected{}},
      {{"-s:200", "-s:"}, With([](Expected& e) { e.baseSpeed = 200; })},
      {{"-s:200", "-s150"}, With([](Expected& e) { e.baseSpeed = 200; })},
      {{"-s:99999999999999999999"}, With([](Expected& e) { e.baseSpeed = 300; })},
      {{"-s:-99999999999999999999"}, With([](Expected& e) { e.baseSpeed = 50; })},
      {{"/s:150"}, With([](Expected& e) { e.baseSpeed = 150; })},
      {{"-v:-5"}, With([](Expected& e) { e.baseVolume = 1; })},
      {{"-v:0"}, Expected{}},
      {{"-v:601"}, With([](Expected& e) { e.baseVolume = 600; })},
      {{"-v:4294967396"}, With([](Expected& e) { e.baseVolume = 600; })},
      {{"-m:0"}, With([](Expected& e) { e.showComments = e.showControl = false; e.locked = true; })},
      {{"-m:1"}, With([](Expected& e) { e.showControl = false; e.locked = true; })},
      {{"-m:2"}, With([](Expected& e) { e.showComments = false; e.locked = true; })},
      {{"-m:3"}, With([](Expected& e) { e.locked = true; })},
      {{"-m:x"}, With([](Expected& e) { e.showComments = e.showControl = false; e.locked = true; })},
      {{"-m"}, With([](Expected& e) { e.locked = true; })},
      {{"-m:"}, With([](Expected& e) { e.locked = true; })},
      {{"-m0"}, With([](Expected& e) { e.locked = true; })},
      {{"-m:5"}, Expected{}},
      {{"-m:-1"}, Expected{}},
      {{"-m:0", "-m:5"}, With([](Expected& e) { e.showComments = e.showControl = false; e.locked = true; })},
      // Upper-case letters, a lone prefix and unknown letters are ignored and
      // never become the input.
      {{"-O", "-S:200", "-", "/", "-z", "-1"}, Expected{}},
      {{"-h"}, With([](Expected& e) { e.usage = true; })},
      {{"-help"}, With([](Expected& e) { e.usage = true; })},
      {{"/?"}, With([](Expected& e) { e.usage = true; })},
      {{"text", "-o", "-?"}, With([](Expected& e) { e.usage = true; e.fileOutput = true; e.input = "text"; })},
      // Later arguments are not examined after a usage request.
      {{"-h", "-o", "text"}, With([](Expected& e) { e.usage = true; })},
      // Options after the input apply like any other.
      {{"text", "-s:120"}, With([](Expected& e) { e.input = "text"; e.baseSpeed = 120; })},
  };
  return rows;
}

TEST(ScanOptions, Table) {
  for (const OptionRow& row : Rows()) {
    SCOPED_TRACE(::testing::PrintToString(row.arguments));
    render::RenderSettings settings;
    const cli::CommandLine commandLine = cli::ScanOptions(row.arguments, settings);
    const Expected& e = row.expected;
    EXPECT_EQ(settings.BaseSpeed, e.baseSpeed);
    EXPECT_EQ(settings.BaseVolume, e.baseVolume);
    EXPECT_EQ(settings.RelativeSpeed, 100);
    EXPECT_EQ(settings.RelativeVolume, 100);
    EXPECT_EQ(settings.ShowComments, e.showComments);
    EXPECT_EQ(settings.ShowControl, e.showControl);
    EXPECT_EQ(settings.MessageLevelLocked, e.locked);
    EXPECT_EQ(settings.FileOutput, e.fileOutput);
    EXPECT_EQ(settings.AppendOutput, e.appendOutput);
    EXPECT_EQ(commandLine.outputPath, e.outputPath);
    EXPECT_EQ(commandLine.inputArgument, e.input);
    EXPECT_EQ(commandLine.usageRequested, e.usage);
  }
}

// Where "/" starts absolute paths, only short "/x" and "/x:value" forms are
// options; a path is the input.
TEST(ScanOptions, SlashArgumentsThatArePaths) {
  const std::vector<std::string> paths = {"/home/me/story.txt", "/help", "/tmp"};
  for (const std::string& path : paths) {
    render::RenderSettings settings;
    EXPECT_EQ(cli::ScanOptions({path}, settings).inputArgument, path);
  }
}

}  // namespace
