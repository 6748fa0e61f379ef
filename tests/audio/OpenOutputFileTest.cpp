#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

#include "ConsoleCapture.h"
#include "TestSupport.h"
#include "WaveImages.h"
#include "audio/OutputFile.h"
#include "audio/PatchWaveHeader.h"
#include "audio/WriteWave.h"

namespace {

namespace fs = std::filesystem;
using audiotest::AsString;
using audiotest::ConsoleCapture;
using audiotest::MakeImage;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

const std::string kCannotCreateOpen = "出力ファイル「";
const std::string kCannotCreateClose = "」が生成できません。";

struct DerivedCase {
  std::string inputArgument;
  std::string derived;
};

TEST(DerivedOutputPath, Table) {
  const DerivedCase cases[] = {
      {"story.txt", "story.wav"},
      {"docs/story.txt", "docs/story.wav"},
      {"story", "story.wav"},
      {"old.notes/story", "old.wav"},
      {"a.b.c", "a.b.wav"},
      {".hidden", ".wav"},
      {"story.", "story.wav"},
      {"story.Wav", "story.wav"},
      {"こんにちは", "こんにちは.wav"},  // a literal phonetic text holds no "."
  };
  for (const DerivedCase& row : cases) {
    EXPECT_EQ(audio::DerivedOutputPath(row.inputArgument), row.derived) << row.inputArgument;
  }
}

// Opens as the driver does and reports what was printed.
struct OpenResult {
  bool opened;
  std::string outputPath;
  std::string console;
};

OpenResult Open(const std::string& outputPath, const std::string& inputArgument, bool append,
                audio::OutputFile& file) {
  OpenResult result{false, outputPath, ""};
  ConsoleCapture console;
  result.opened = audio::OpenOutputFile(result.outputPath, inputArgument, append, file);
  result.console = console.Take();
  return result;
}

class OpenOutputFileTest : public ::testing::Test {
 protected:
  ~OpenOutputFileTest() override { audio::CloseOutputFile(file_); }

  std::string Path(const std::string& name) const { return (folder_.path / name).string(); }

  TempDir folder_;
  audio::OutputFile file_;
};

TEST_F(OpenOutputFileTest, CreateEmptiesAnExistingFile) {
  WriteFileBytes(Path("story.wav"), AsString(MakeImage({1, 2, 3})));
  const OpenResult result = Open("", Path("story.txt"), false, file_);
  ASSERT_TRUE(result.opened);
  EXPECT_EQ(result.outputPath, Path("story.wav"));
  EXPECT_EQ(result.console, "");
  EXPECT_EQ(fs::file_size(Path("story.wav")), 0u);
}

TEST_F(OpenOutputFileTest, AppendToAMissingFileCreatesIt) {
  const OpenResult result = Open(Path("new.wav"), Path("story.txt"), true, file_);
  ASSERT_TRUE(result.opened);
  EXPECT_EQ(result.outputPath, Path("new.wav"));
  EXPECT_TRUE(fs::exists(Path("new.wav")));
  EXPECT_FALSE(fs::exists(Path("story.wav")));
}

TEST_F(OpenOutputFileTest, NameInAMissingFolderFallsBackToTheDerivedName) {
  const OpenResult result = Open(Path("missing/out.wav"), Path("story.txt"), false, file_);
  ASSERT_TRUE(result.opened);
  EXPECT_EQ(result.outputPath, Path("story.wav"));
  EXPECT_EQ(result.console, "");
  EXPECT_TRUE(fs::exists(Path("story.wav")));
}

TEST_F(OpenOutputFileTest, WhenBothNamesFailTheDerivedOneIsNamed) {
  const std::string input = Path("nofolder/story.txt");
  const OpenResult result = Open(Path("missing/out.wav"), input, false, file_);
  EXPECT_FALSE(result.opened);
  EXPECT_FALSE(file_.handle.IsOpen());
  EXPECT_EQ(result.outputPath, Path("nofolder/story.wav"));
  EXPECT_EQ(result.console,
            kCannotCreateOpen + Path("nofolder/story.wav") + kCannotCreateClose + "\n");
}

TEST_F(OpenOutputFileTest, TheInputFileIsNeverTheOutput) {
  const std::string script = "script text, not to be lost";
  WriteFileBytes(Path("story.txt"), script);
  fs::create_symlink(Path("story.txt"), Path("alias.wav"));
  fs::create_hard_link(Path("story.txt"), Path("hardlink.wav"));
  for (const std::string& named : {Path("story.txt"), Path("alias.wav"), Path("hardlink.wav")}) {
    for (bool append : {false, true}) {
      audio::OutputFile file;
      const OpenResult result = Open(named, Path("story.txt"), append, file);
      EXPECT_TRUE(result.opened) << named;
      EXPECT_EQ(result.outputPath, Path("story.wav")) << named;
      audio::CloseOutputFile(file);
      EXPECT_EQ(ReadFileBytes(Path("story.txt")), script) << named;
    }
  }
}

// On a file system that ignores case, "Story.Wav" and its derived name
// "Story.wav" are one file; a link stands in for that here.
TEST_F(OpenOutputFileTest, DerivedNameThatIsTheInputIsRefused) {
  const std::string script = "<-S:120>";
  WriteFileBytes(Path("Story.Wav"), script);
  fs::create_symlink(Path("Story.Wav"), Path("Story.wav"));
  const OpenResult result = Open("", Path("Story.Wav"), false, file_);
  EXPECT_FALSE(result.opened);
  EXPECT_EQ(result.console, kCannotCreateOpen + Path("Story.wav") + kCannotCreateClose + "\n");
  EXPECT_EQ(ReadFileBytes(Path("Story.Wav")), script);
}

TEST_F(OpenOutputFileTest, FileHeldByAnotherRunIsNotTakenOver) {
  const std::string held = AsString(MakeImage({7, 7}));
  WriteFileBytes(Path("shared.wav"), held);
  const int other = open(Path("shared.wav").c_str(), O_RDONLY);
  ASSERT_GE(other, 0);
  ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
  const OpenResult result = Open(Path("shared.wav"), Path("story.txt"), false, file_);
  close(other);
  EXPECT_TRUE(result.opened);
  EXPECT_EQ(result.outputPath, Path("story.wav"));
  EXPECT_EQ(ReadFileBytes(Path("shared.wav")), held);
}

struct AppendCase {
  const char* name;
  std::string content;
  bool accepted;
};

std::string WithByte(std::string bytes, std::size_t offset, char value) {
  bytes[offset] = value;
  return bytes;
}

// Appending patches bytes 4 and 40 at the end, so only files with the
// 44-byte WAV layout (or empty ones) are taken.
TEST_F(OpenOutputFileTest, AppendTakesOnlyFilesOfTheWaveLayout) {
  const std::string wave = AsString(MakeImage({1, 2}));
  const AppendCase cases[] = {
      {"a WAV file of the 44-byte layout", wave, true},
      {"an empty file", "", true},
      {"a WAV header without samples", wave.substr(0, 44), true},
      {"a text file", std::string(200, 'x'), false},
      {"shorter than a header", wave.substr(0, 43), false},
      {"not RIFF", WithByte(wave, 0, 'X'), false},
      {"not WAVE", WithByte(wave, 8, 'X'), false},
      {"a longer fmt chunk", WithByte(wave, 16, 18), false},
      {"no data chunk at 36", WithByte(wave, 36, 'X'), false},
  };
  for (const AppendCase& row : cases) {
    TempDir folder;
    const std::string target = (folder.path / "target.wav").string();
    const std::string input = (folder.path / "story.txt").string();
    WriteFileBytes(target, row.content);
    audio::OutputFile file;
    const OpenResult result = Open(target, input, true, file);
    ASSERT_TRUE(result.opened) << row.name;
    EXPECT_EQ(result.outputPath, row.accepted ? target : (folder.path / "story.wav").string())
        << row.name;
    audio::CloseOutputFile(file);
    EXPECT_EQ(ReadFileBytes(target), row.content) << row.name;
  }
}

TEST_F(OpenOutputFileTest, AppendRefusalOfBothNamesLeavesBothFilesAlone) {
  WriteFileBytes(Path("notes.txt"), "my notes");
  WriteFileBytes(Path("story.wav"), "not a wave file either");
  const OpenResult result = Open(Path("notes.txt"), Path("story.txt"), true, file_);
  EXPECT_FALSE(result.opened);
  EXPECT_EQ(result.console, kCannotCreateOpen + Path("story.wav") + kCannotCreateClose + "\n");
  EXPECT_EQ(ReadFileBytes(Path("notes.txt")), "my notes");
  EXPECT_EQ(ReadFileBytes(Path("story.wav")), "not a wave file either");
}

TEST_F(OpenOutputFileTest, AppendStartsAtTheEnd) {
  const std::string existing = AsString(MakeImage({1, 2}));
  WriteFileBytes(Path("story.wav"), existing);
  ASSERT_TRUE(Open("", Path("story.txt"), true, file_).opened);
  const std::vector<std::uint8_t> image = MakeImage({0, 9});
  audio::WriteWave(file_, image.data(), image.size());
  audio::CloseOutputFile(file_);
  EXPECT_EQ(ReadFileBytes(Path("story.wav")), existing + audiotest::SampleBytes({9}));
}

}  // namespace
