#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <cstdint>

#include "../Platform.h"

namespace platform {
namespace {

// Text positions are signed 32-bit indices, so no text may be longer than
// this; a bigger file is treated like one whose buffer cannot be had.
constexpr std::uint64_t kMaxInputBytes = INT32_MAX - 1;

// The whole file in one buffer of its size plus one, filled by one read.
InputFile ReadOpenFile(HANDLE file) {
  InputFile input;
  DWORD sizeHigh = 0;
  const DWORD sizeLow = GetFileSize(file, &sizeHigh);
  if (sizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    input.status = InputReadStatus::ReadShort;
    return input;
  }
  const std::uint64_t size = (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow;
  if (size > kMaxInputBytes) {
    input.status = InputReadStatus::NoMemory;
    return input;
  }
  input.bytes.reset(static_cast<char*>(std::malloc(static_cast<std::size_t>(size) + 1)));
  if (!input.bytes) {
    input.status = InputReadStatus::NoMemory;
    return input;
  }
  DWORD got = 0;
  if (!ReadFile(file, input.bytes.get(), static_cast<DWORD>(size), &got, nullptr)) got = 0;
  input.bytes[got] = '\0';
  input.size = got;
  input.status = got == size ? InputReadStatus::Done : InputReadStatus::ReadShort;
  return input;
}

}  // namespace

InputFile ReadInputFile(const std::string& path) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a directory does not open, so its
  // name is taken as text like any other name that opens nothing.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return InputFile{};
  // A console, a pipe or a device such as CON is no input file: reading it
  // would wait on the keyboard or on another program.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return InputFile{};
  }
  InputFile input = ReadOpenFile(file);
  CloseHandle(file);
  return input;
}

}  // namespace platform
