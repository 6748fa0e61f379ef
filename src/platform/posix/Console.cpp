#include <unistd.h>

#include "../Platform.h"
#include "Encoding.h"
#include "TransferAll.h"

namespace platform {

void WriteConsoleLine(std::string_view line) {
  // Pipes and files get the program's own CP932 bytes; only a UTF-8 terminal
  // is shown the text in its own charset.
  static const bool showUtf8 = isatty(STDOUT_FILENO) == 1 && posix::LocaleIsUtf8();
  std::string text = showUtf8 ? posix::Cp932ToUtf8(line) : std::string(line);
  text.push_back('\n');
  // A closed or full output drops the line.
  posix::TransferAll(text.size(), [&](std::size_t done) {
    return write(STDOUT_FILENO, text.data() + done, text.size() - done);
  });
}

}  // namespace platform
