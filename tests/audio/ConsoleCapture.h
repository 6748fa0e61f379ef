// Catches what the code under test writes to standard output (file
// descriptor 1, where console lines go) while the value lives.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "TestSupport.h"

namespace audiotest {

class ConsoleCapture {
 public:
  ConsoleCapture() : file_(folder_.path / "console.txt") {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    const int fd = open(file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (saved_ < 0 || fd < 0 || dup2(fd, STDOUT_FILENO) < 0) throw std::runtime_error("no capture");
    close(fd);
  }
  ~ConsoleCapture() { Restore(); }
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

  // Ends the capture and gives everything written during it.
  std::string Take() {
    Restore();
    return testsupport::ReadFileBytes(file_);
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
    saved_ = -1;
  }

  testsupport::TempDir folder_;
  std::filesystem::path file_;
  int saved_ = -1;
};

// The text repeated, one line each time.
inline std::string Lines(const std::string& line, int times) {
  std::string text;
  for (int index = 0; index < times; ++index) text += line + "\n";
  return text;
}

}  // namespace audiotest
