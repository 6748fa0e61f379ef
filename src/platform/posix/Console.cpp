#include <unistd.h>

#include <cerrno>

#include "../Platform.h"
#include "Encoding.h"

namespace platform {
namespace {

void WriteAll(const char* bytes, std::size_t count) {
  while (count > 0) {
    ssize_t written = write(STDOUT_FILENO, bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // a closed or full output: the line is dropped
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
}

}  // namespace

void WriteConsoleLine(std::string_view line) {
  // Pipes and files get the program's own CP932 bytes; only a UTF-8 terminal
  // is shown the text in its own charset.
  static const bool showUtf8 = isatty(STDOUT_FILENO) == 1 && posix::LocaleIsUtf8();
  std::string text = showUtf8 ? posix::Cp932ToUtf8(line) : std::string(line);
  text.push_back('\n');
  WriteAll(text.data(), text.size());
}

}  // namespace platform
