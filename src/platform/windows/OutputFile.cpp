#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <optional>

#include "../Platform.h"

namespace platform {
namespace {

HANDLE Handle(OutputFileHandle file) { return reinterpret_cast<HANDLE>(file.value); }

// A file's identity: the volume it is on and its index there.
struct FileIdentity {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
  bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(file, &information)) return std::nullopt;
  return FileIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                      information.nFileIndexLow};
}

// Asking for the attributes alone opens even a file that another handle
// holds without sharing, and never changes it.
std::optional<FileIdentity> IdentityOf(const std::string& path) {
  if (path.empty()) return std::nullopt;
  HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<FileIdentity> identity = IdentityOf(file);
  CloseHandle(file);
  return identity;
}

std::optional<std::uint64_t> Position(HANDLE file) {
  LONG high = 0;
  SetLastError(NO_ERROR);
  const DWORD low = SetFilePointer(file, 0, &high, FILE_CURRENT);
  if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return std::nullopt;
  return (static_cast<std::uint64_t>(static_cast<DWORD>(high)) << 32) | low;
}

bool MoveTo(HANDLE file, std::uint64_t offset, DWORD from) {
  LONG high = static_cast<LONG>(offset >> 32);
  SetLastError(NO_ERROR);
  const DWORD low = SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, from);
  return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

// WriteFile and ReadFile take at most a DWORD at a time.
constexpr std::size_t kMaxTransfer = 1u << 30;

// Calls `step(done, wanted, &moved)` (one ReadFile or WriteFile of up to
// `wanted` bytes from `done` on) until `count` bytes are done, a call fails
// or a call moves nothing. Returns the number of bytes done.
template <typename Step>
std::size_t TransferAll(std::size_t count, Step step) {
  std::size_t done = 0;
  while (done < count) {
    DWORD moved = 0;
    const DWORD wanted = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
    if (!step(done, wanted, &moved) || moved == 0) break;
    done += moved;
  }
  return done;
}

std::size_t WriteAll(HANDLE file, const void* bytes, std::size_t count) {
  const char* next = static_cast<const char*>(bytes);
  return TransferAll(count, [&](std::size_t done, DWORD wanted, DWORD* moved) {
    return WriteFile(file, next + done, wanted, moved, nullptr);
  });
}

std::size_t ReadAll(HANDLE file, void* bytes, std::size_t count) {
  char* next = static_cast<char*>(bytes);
  return TransferAll(count, [&](std::size_t done, DWORD wanted, DWORD* moved) {
    return ReadFile(file, next + done, wanted, moved, nullptr);
  });
}

}  // namespace

OutputFileHandle OpenOutputFile(const std::string& path, OutputDisposition disposition,
                                const std::string& protectedPath) {
  OutputFileHandle result;
  const std::optional<FileIdentity> guarded = IdentityOf(protectedPath);
  // The file is opened without emptying it first, so that nothing is lost
  // when it turns out to be the protected file; it is emptied only after
  // that check. Appending reads the existing header, so that mode also
  // needs read access. Nobody else may open the file while the run owns it.
  const DWORD access = disposition == OutputDisposition::OpenAlways
                           ? GENERIC_READ | GENERIC_WRITE
                           : GENERIC_WRITE | FILE_READ_ATTRIBUTES;
  HANDLE file =
      CreateFileA(path.c_str(), access, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return result;
  const bool isDiskFile = GetFileType(file) == FILE_TYPE_DISK;
  if (isDiskFile && guarded && IdentityOf(file) == guarded) {
    CloseHandle(file);
    return result;
  }
  // Devices such as NUL have nothing to empty.
  if (disposition == OutputDisposition::CreateAlways && isDiskFile &&
      !(MoveTo(file, 0, FILE_BEGIN) && SetEndOfFile(file))) {
    CloseHandle(file);
    return result;
  }
  result.value = reinterpret_cast<std::intptr_t>(file);
  return result;
}

bool MoveToEnd(OutputFileHandle file) { return MoveTo(Handle(file), 0, FILE_END); }

std::uint64_t FileSize(OutputFileHandle file) {
  DWORD high = 0;
  const DWORD low = GetFileSize(Handle(file), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return 0;
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

std::size_t WriteBytes(OutputFileHandle file, const void* bytes, std::size_t count) {
  return WriteAll(Handle(file), bytes, count);
}

// Reads and writes at an offset leave the position where it was, so that
// the writes that follow still go to the end of the file.
std::size_t ReadBytesAt(OutputFileHandle file, std::uint64_t offset, void* bytes,
                        std::size_t count) {
  const std::optional<std::uint64_t> position = Position(Handle(file));
  if (!position || !MoveTo(Handle(file), offset, FILE_BEGIN)) return 0;
  const std::size_t got = ReadAll(Handle(file), bytes, count);
  MoveTo(Handle(file), *position, FILE_BEGIN);
  return got;
}

std::size_t WriteBytesAt(OutputFileHandle file, std::uint64_t offset, const void* bytes,
                         std::size_t count) {
  const std::optional<std::uint64_t> position = Position(Handle(file));
  if (!position || !MoveTo(Handle(file), offset, FILE_BEGIN)) return 0;
  const std::size_t written = WriteAll(Handle(file), bytes, count);
  MoveTo(Handle(file), *position, FILE_BEGIN);
  return written;
}

void FlushFile(OutputFileHandle file) { FlushFileBuffers(Handle(file)); }

void CloseFile(OutputFileHandle& file) {
  if (!file.IsOpen()) return;
  CloseHandle(Handle(file));
  file.value = -1;
}

}  // namespace platform
