#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

#include "../Platform.h"
#include "Encoding.h"
#include "TransferAll.h"

namespace platform {
namespace {

// Text positions are signed 32-bit indices, so no text may be longer than
// this; a bigger file is treated like one whose buffer cannot be had.
constexpr std::uint64_t kMaxInputBytes = INT32_MAX - 1;

ssize_t ReadSome(int fd, char* bytes, std::size_t count) {
  for (;;) {
    ssize_t got = read(fd, bytes, count);
    if (got >= 0 || errno != EINTR) return got;
  }
}

// A regular file: its size, one buffer of size plus one, read to the size.
InputFile ReadRegular(int fd, std::uint64_t size) {
  InputFile input;
  if (size > kMaxInputBytes) {
    input.status = InputReadStatus::NoMemory;
    return input;
  }
  input.bytes.reset(static_cast<char*>(std::malloc(size + 1)));
  if (!input.bytes) {
    input.status = InputReadStatus::NoMemory;
    return input;
  }
  char* bytes = input.bytes.get();
  const std::size_t total = posix::TransferAll(size, [&](std::size_t done) {
    return read(fd, bytes + done, size - done);
  });
  input.bytes[total] = '\0';
  input.size = total;
  input.status = total == size ? InputReadStatus::Done : InputReadStatus::ReadShort;
  return input;
}

// A pipe or FIFO has no size: read it to its end, growing the buffer.
InputFile ReadStream(int fd) {
  InputFile input;
  std::size_t capacity = 0;
  std::size_t total = 0;
  for (;;) {
    if (total + 1 >= capacity) {
      std::size_t grown = capacity == 0 ? 65536 : capacity * 2;
      if (grown > kMaxInputBytes + 1) grown = kMaxInputBytes + 1;
      char* bigger = grown > capacity ? static_cast<char*>(std::realloc(input.bytes.get(), grown))
                                      : nullptr;
      if (bigger == nullptr) {
        input.status = InputReadStatus::NoMemory;
        return input;
      }
      (void)input.bytes.release();
      input.bytes.reset(bigger);
      capacity = grown;
    }
    ssize_t got = ReadSome(fd, input.bytes.get() + total, capacity - 1 - total);
    if (got < 0) {
      input.status = InputReadStatus::ReadShort;
      break;
    }
    if (got == 0) {
      input.status = InputReadStatus::Done;
      break;
    }
    total += static_cast<std::size_t>(got);
  }
  input.bytes[total] = '\0';
  input.size = total;
  return input;
}

// A UTF-8 file is turned into CP932 in place (CP932 is never longer). A file
// with a byte-order mark is taken as UTF-8; otherwise the text must be valid
// UTF-8 with at least one non-ASCII character. Anything else is Shift-JIS.
void ConvertUtf8Text(InputFile& input) {
  char* text = input.bytes.get();
  const std::size_t length = std::strlen(text);  // the text ends at its first NUL
  std::string_view content(text, length);
  const bool hasMark = content.starts_with("\xEF\xBB\xBF");
  if (hasMark) content.remove_prefix(3);
  const bool hasNonAscii = std::any_of(content.begin(), content.end(),
                                       [](char byte) { return (byte & 0x80) != 0; });
  if (!hasMark && !hasNonAscii) return;
  std::optional<std::string> cp932 = posix::Utf8ToCp932(content);
  if (!cp932) {
    if (!hasMark) return;
    cp932 = std::string(content);  // unconvertible: drop the mark, keep the bytes
  }
  std::memcpy(text, cp932->data(), cp932->size());
  text[cp932->size()] = '\0';
  input.size = cp932->size();
}

}  // namespace

InputFile ReadInputFile(const std::string& path) {
  InputFile input;
  // Without O_NONBLOCK a FIFO with no writer would hold the run forever.
  int fd = open(posix::NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return input;
  struct stat status {};
  if (fstat(fd, &status) != 0 || !(S_ISREG(status.st_mode) || S_ISFIFO(status.st_mode))) {
    close(fd);
    return input;  // a directory, a device or a socket is no input file
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  input = S_ISREG(status.st_mode) ? ReadRegular(fd, static_cast<std::uint64_t>(status.st_size))
                                  : ReadStream(fd);
  close(fd);
  if (input.status == InputReadStatus::Done) ConvertUtf8Text(input);
  return input;
}

}  // namespace platform
