// Conversions between CP932 and the locale's charset, used only at the edges.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

// True when the locale set by PrepareProcess uses UTF-8.
bool LocaleIsUtf8();

// The CP932 form of valid UTF-8 text whose every character exists in CP932;
// nothing for any other text.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// The UTF-8 form of CP932 text; bytes that do not convert are kept as they are.
std::string Cp932ToUtf8(std::string_view cp932);

// A CP932 path in the form the file system expects (the locale's charset);
// a path that does not convert is used as its bytes.
std::string NativePath(const std::string& cp932Path);

}  // namespace platform::posix
