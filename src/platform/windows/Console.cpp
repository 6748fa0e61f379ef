#include <cstdio>

#include "../Platform.h"

namespace platform {

void WriteConsoleLine(std::string_view line) {
  // Standard output is in text mode, so the runtime ends the line with CR LF
  // as every Windows console program does; the bytes themselves go out as
  // they are, in the ANSI code page.
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputs("\n", stdout);
  std::fflush(stdout);
}

}  // namespace platform
