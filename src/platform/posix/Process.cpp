#include <climits>
#include <clocale>
#include <csignal>
#include <cstdlib>

#include "../Platform.h"
#include "Encoding.h"

namespace platform {

void PrepareProcess() {
  // The user's locale tells which charset the terminal, the arguments and
  // the file names use; the program itself works in CP932 throughout.
  std::setlocale(LC_ALL, "");
  // A closed standard output must not end the run before the WAV header is
  // patched; console writes that fail are simply dropped.
  std::signal(SIGPIPE, SIG_IGN);
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  const bool utf8 = posix::LocaleIsUtf8();
  for (int index = 1; index < argc; ++index) {
    std::string argument = argv[index];
    if (utf8) {
      if (auto cp932 = posix::Utf8ToCp932(argument)) argument = std::move(*cp932);
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::string ExecutableDirectory() {
  char* resolved = realpath("/proc/self/exe", nullptr);
  if (resolved == nullptr) return {};
  std::string path = resolved;
  std::free(resolved);
  std::string directory = path.substr(0, path.rfind('/') + 1);
  if (!posix::LocaleIsUtf8()) return directory;
  // The rest of the program sees paths in CP932, like every other text.
  if (auto cp932 = posix::Utf8ToCp932(directory)) return *cp932;
  return directory;
}

}  // namespace platform
