// A stand-in speech engine for tests. It exports the two engine entry points,
// answers as the environment tells it, and records every call and release.
// Copies of it in several voice folders tell apart which file answered.
//
// Environment (read at every call, so a test can change it between calls):
//
//   TESTENGINE_LOG=<file>
//       Appends one line per event:
//         synthe speed=<n> code=<n> image=<id> text=<hex> lib=<path>
//         free image=<id> lib=<path>
//       <id> is 16 hex digits, unique for each image made, or "-" when the
//       call returned no image; code is what the call put in the code slot;
//       text is the bytes the engine was given, as uppercase hex; lib is the
//       path of the library file that answered (the rest of the line).
//       On Windows the log's name and lib are Windows paths in the ANSI
//       code page.
//   TESTENGINE_FAIL=<hex>:<code>[,<hex>:<code>...]
//       A call whose text is exactly <hex> fails with <code>. Checked first.
//   TESTENGINE_REFUSE_OVER=<n>, TESTENGINE_REFUSE_CODE=<code>
//       A text longer than n bytes fails with the code (default 202).
//   TESTENGINE_LEADING_ZEROS=<n>
//       The image starts with n zero samples (default 0).
//   TESTENGINE_ZERO=1
//       Every sample of the image is zero.
//   TESTENGINE_BROKEN=short|oversize|null
//       The answer breaks the engine's promises: "short" returns a 20-byte
//       image and reports 20; "oversize" returns a full image whose data size
//       field claims 1000 bytes more than it holds; "null" returns no image
//       but reports the size it would have had.
//
// The image: a canonical 44-byte RIFF/WAVE header (PCM, 8000 Hz, mono,
// 16-bit), the leading zero samples, then one sample per text byte whose value
// is 0x100 plus the byte, little-endian. The code slot gets its total size.
//
// Built with TESTENGINE_WITHOUT_FREEWAVE, the library lacks AquesTalk_FreeWave.

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#else
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "render/EngineInterface.h"

// A Windows DLL exports what its .def file names, without the decoration
// that __stdcall would add to the names.
#ifdef _WIN32
#define TESTENGINE_EXPORT
#else
#define TESTENGINE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
TESTENGINE_EXPORT AquesTalkSynthe AquesTalk_Synthe;
#ifndef TESTENGINE_WITHOUT_FREEWAVE
TESTENGINE_EXPORT AquesTalkFreeWave AquesTalk_FreeWave;
#endif
}

namespace {

constexpr std::size_t kHeaderBytes = 44;
// Each image sits behind a hidden block that holds its id for the release.
constexpr std::size_t kHiddenBytes = 16;

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

long EnvironmentNumber(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::strtol(value, nullptr, 10) : fallback;
}

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0x0F]);
  }
  return hex;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

void Anchor() {}

// The file this copy of the engine was loaded from.
#ifdef _WIN32
std::string LibraryPath() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&Anchor), &module)) {
    return "?";
  }
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : "?";
}
#else
std::string LibraryPath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&Anchor), &info) == 0 || info.dli_fname == nullptr) {
    return "?";
  }
  return info.dli_fname;
}
#endif

// One write per line, at the end of the file, keeps lines whole even with
// several writers.
#ifdef _WIN32
void AppendLine(const std::string& log, const std::string& text) {
  HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}
#else
void AppendLine(const std::string& log, const std::string& text) {
  const int fd = open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  [[maybe_unused]] ssize_t written = write(fd, text.data(), text.size());
  close(fd);
}
#endif

void Record(const std::string& line) {
  const std::string_view log = Environment("TESTENGINE_LOG");
  if (log.empty()) return;
  AppendLine(std::string(log), line + " lib=" + LibraryPath() + "\n");
}

// The failure code a test asked for this text, or 0.
int ScriptedFailure(std::string_view text) {
  const std::string wanted = Upper(Environment("TESTENGINE_FAIL"));
  const std::string hex = Hex(text);
  std::size_t start = 0;
  while (start < wanted.size()) {
    std::size_t end = wanted.find(',', start);
    if (end == std::string::npos) end = wanted.size();
    const std::string_view entry = std::string_view(wanted).substr(start, end - start);
    const std::size_t colon = entry.rfind(':');
    if (colon != std::string_view::npos && entry.substr(0, colon) == hex) {
      return static_cast<int>(std::strtol(std::string(entry.substr(colon + 1)).c_str(), nullptr, 10));
    }
    start = end + 1;
  }
  const long refuseOver = EnvironmentNumber("TESTENGINE_REFUSE_OVER", -1);
  if (refuseOver >= 0 && text.size() > static_cast<std::size_t>(refuseOver)) {
    return static_cast<int>(EnvironmentNumber("TESTENGINE_REFUSE_CODE", 202));
  }
  return 0;
}

void Put16(unsigned char* at, std::uint32_t value) {
  at[0] = static_cast<unsigned char>(value);
  at[1] = static_cast<unsigned char>(value >> 8);
}

void Put32(unsigned char* at, std::uint32_t value) {
  Put16(at, value);
  Put16(at + 2, value >> 16);
}

void WriteHeader(unsigned char* image, std::uint32_t dataBytes) {
  std::memcpy(image, "RIFF", 4);
  Put32(image + 4, static_cast<std::uint32_t>(kHeaderBytes - 8) + dataBytes);
  std::memcpy(image + 8, "WAVEfmt ", 8);
  Put32(image + 16, 16);      // format block size
  Put16(image + 20, 1);       // PCM
  Put16(image + 22, 1);       // mono
  Put32(image + 24, 8000);    // samples per second
  Put32(image + 28, 16000);   // bytes per second
  Put16(image + 32, 2);       // bytes per sample frame
  Put16(image + 34, 16);      // bits per sample
  std::memcpy(image + 36, "data", 4);
  Put32(image + 40, dataBytes);
}

std::uint64_t NewImageId() {
  std::random_device random;
  return (static_cast<std::uint64_t>(random()) << 32) ^ random();
}

std::string IdText(std::uint64_t id) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(id));
  return text;
}

// The image for `text`, cut to `imageBytes` when that is shorter.
unsigned char* MakeImage(std::string_view text, std::size_t leadingZeros, std::size_t imageBytes,
                         std::uint64_t id) {
  auto* block = static_cast<unsigned char*>(std::malloc(kHiddenBytes + imageBytes));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &id, sizeof id);
  unsigned char* image = block + kHiddenBytes;

  const bool silent = Environment("TESTENGINE_ZERO") == "1";
  const std::size_t fullBytes = kHeaderBytes + 2 * (leadingZeros + text.size());
  unsigned char full[kHeaderBytes];
  WriteHeader(full, static_cast<std::uint32_t>(fullBytes - kHeaderBytes));
  std::memcpy(image, full, imageBytes < kHeaderBytes ? imageBytes : kHeaderBytes);
  if (imageBytes < kHeaderBytes) return image;

  unsigned char* sample = image + kHeaderBytes;
  std::memset(sample, 0, 2 * leadingZeros);
  sample += 2 * leadingZeros;
  for (unsigned char byte : text) {
    Put16(sample, silent ? 0 : 0x100u + byte);
    sample += 2;
  }
  return image;
}

}  // namespace

extern "C" {

unsigned char* YOMIAGE_ENGINE_CALL AquesTalk_Synthe(const char* text, int speed, int* codeSlot) {
  const std::string_view spoken = text != nullptr ? text : "";
  int code = ScriptedFailure(spoken);
  unsigned char* image = nullptr;
  std::string id = "-";
  if (code == 0) {
    const std::size_t leadingZeros =
        static_cast<std::size_t>(EnvironmentNumber("TESTENGINE_LEADING_ZEROS", 0));
    std::size_t imageBytes = kHeaderBytes + 2 * (leadingZeros + spoken.size());
    const std::string_view broken = Environment("TESTENGINE_BROKEN");
    if (broken == "short") imageBytes = 20;
    code = static_cast<int>(imageBytes);
    if (broken != "null") {
      const std::uint64_t imageId = NewImageId();
      image = MakeImage(spoken, leadingZeros, imageBytes, imageId);
      if (image == nullptr) {
        code = 101;  // out of memory
      } else {
        id = IdText(imageId);
        if (broken == "oversize") {
          Put32(image + 40, static_cast<std::uint32_t>(imageBytes - kHeaderBytes + 1000));
        }
      }
    }
  }
  if (codeSlot != nullptr) *codeSlot = code;
  Record("synthe speed=" + std::to_string(speed) + " code=" + std::to_string(code) +
         " image=" + id + " text=" + Hex(spoken));
  return image;
}

#ifndef TESTENGINE_WITHOUT_FREEWAVE
void YOMIAGE_ENGINE_CALL AquesTalk_FreeWave(unsigned char* wave) {
  if (wave == nullptr) {
    Record("free image=-");
    return;
  }
  unsigned char* block = wave - kHiddenBytes;
  std::uint64_t id = 0;
  std::memcpy(&id, block, sizeof id);
  Record("free image=" + IdText(id));
  std::free(block);
}
#endif

}  // extern "C"
