#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <clocale>

#include "../Platform.h"

namespace platform {

void PrepareProcess() {
  // The runtime's multibyte rules follow the Japanese code page, the one the
  // program's text is written in.
  std::setlocale(LC_ALL, "Japanese");
  // The program never waits on the keyboard, so it must not wait on a
  // system dialog either (a drive without a medium, a broken library): such
  // a failure is reported to the program as an ordinary failed call.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  // Windows hands an ANSI program its arguments in the ANSI code page,
  // which is the program's own.
  return std::vector<std::string>(argv + 1, argv + argc);
}

std::string ExecutableDirectory() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return {};
  // The folder ends at the last separator; the second byte of a double-byte
  // character may be 0x5C, so the path is walked character by character.
  std::size_t folderEnd = 0;
  for (std::size_t at = 0; at < length; ++at) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[at])) && at + 1 < length) {
      ++at;
    } else if (path[at] == '\\' || path[at] == '/') {
      folderEnd = at + 1;
    }
  }
  return std::string(path, folderEnd);
}

}  // namespace platform
