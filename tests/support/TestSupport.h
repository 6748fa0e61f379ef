// Helpers the tests share: temporary folders, files, and running the built
// program (or any command) with its output captured.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// A fresh folder, removed with everything in it when the value goes.
struct TempDir {
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::filesystem::path path;
};

std::string ReadFileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes);

struct ProcessResult {
  int exitCode = -1;   // -1 when the process did not exit normally
  std::string output;  // everything written to standard output
  std::string errors;  // everything written to standard error
};

struct RunOptions {
  std::vector<std::pair<std::string, std::string>> environment;  // set on top of the test's own
  std::filesystem::path workingDirectory;                        // empty: the test's own
  std::string input;                                             // fed to standard input
};

// Runs a program with arguments (no shell) and waits for it.
ProcessResult RunCommand(const std::string& program, const std::vector<std::string>& arguments,
                         const RunOptions& options = {});

// The build folder: the built program and its dll/ folder.
std::filesystem::path BuildDirectory();

// A copy of the installation in a temporary folder: the built program with an
// empty dll/ folder beside it, ready for engines to be dropped in.
struct Installation {
  Installation();
  // Copies an engine library into dll/<voice>/AquesTalk.dll.
  void AddVoice(const std::string& voice, const std::filesystem::path& engineLibrary) const;
  // Runs the installed program; the locale is C unless the options say otherwise.
  ProcessResult Run(const std::vector<std::string>& arguments, RunOptions options = {}) const;

  TempDir root;
  std::filesystem::path program;
};

// Converts UTF-8 text to CP932 through iconv, independently of the program.
std::string Cp932(const std::string& utf8);

}  // namespace testsupport
