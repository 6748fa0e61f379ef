#include "Encoding.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <cstring>

namespace platform::posix {
namespace {

// One iconv pass over the whole input. Returns false on any byte that does
// not convert, unless `keepInvalid` is set, in which case such a byte is
// copied through unchanged and the conversion goes on after it.
bool Convert(const char* to, const char* from, std::string_view input, std::string& output,
             bool keepInvalid) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  output.clear();
  output.resize(input.size() * 4 + 16);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char* out = output.data();
  std::size_t outLeft = output.size();
  bool ok = true;
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) break;
    if ((errno == EILSEQ || errno == EINVAL) && keepInvalid && outLeft > 0) {
      *out++ = *in++;
      --inLeft;
      --outLeft;
      continue;
    }
    ok = false;
    break;
  }
  output.resize(output.size() - outLeft);
  iconv_close(cd);
  return ok;
}

}  // namespace

bool LocaleIsUtf8() {
  const char* codeset = nl_langinfo(CODESET);
  return codeset != nullptr &&
         (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  std::string cp932;
  if (!Convert("CP932", "UTF-8", utf8, cp932, false)) return std::nullopt;
  return cp932;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  std::string utf8;
  Convert("UTF-8", "CP932", cp932, utf8, true);
  return utf8;
}

std::string NativePath(const std::string& cp932Path) {
  if (!LocaleIsUtf8()) return cp932Path;
  std::string native;
  if (!Convert("UTF-8", "CP932", cp932Path, native, false)) return cp932Path;
  return native;
}

}  // namespace platform::posix
