#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "../Platform.h"
#include "Encoding.h"
#include "TransferAll.h"

namespace platform {
namespace {

int Descriptor(OutputFileHandle file) { return static_cast<int>(file.value); }

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The file is opened without truncation first, so that nothing is lost when
// it turns out to be the protected file or one that another writer holds.
bool MayTakeOver(int fd, const std::string& protectedPath) {
  struct stat opened {};
  if (fstat(fd, &opened) != 0) return false;
  struct stat guarded {};
  if (!protectedPath.empty() && stat(posix::NativePath(protectedPath).c_str(), &guarded) == 0 &&
      SameFile(opened, guarded)) {
    return false;
  }
  // Nobody else may write the file while the run owns it; a lock that the
  // file system does not offer at all is no reason to refuse the file.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return false;
  return true;
}

}  // namespace

OutputFileHandle OpenOutputFile(const std::string& path, OutputDisposition disposition,
                                const std::string& protectedPath) {
  OutputFileHandle file;
  // Appending reads the existing header first, so that mode needs read access.
  // O_NONBLOCK: a FIFO without a reader fails instead of holding the run.
  const int access = disposition == OutputDisposition::OpenAlways ? O_RDWR : O_WRONLY;
  int fd = open(posix::NativePath(path).c_str(),
                access | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
  if (fd < 0) return file;
  if (!MayTakeOver(fd, protectedPath)) {
    close(fd);
    return file;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  if (disposition == OutputDisposition::CreateAlways) {
    struct stat opened {};
    // Devices and pipes have nothing to empty.
    if (fstat(fd, &opened) != 0 || (S_ISREG(opened.st_mode) && ftruncate(fd, 0) != 0)) {
      close(fd);
      return file;
    }
  }
  file.value = fd;
  return file;
}

bool MoveToEnd(OutputFileHandle file) { return lseek(Descriptor(file), 0, SEEK_END) >= 0; }

std::uint64_t FileSize(OutputFileHandle file) {
  struct stat status {};
  if (fstat(Descriptor(file), &status) != 0 || status.st_size < 0) return 0;
  return static_cast<std::uint64_t>(status.st_size);
}

std::size_t WriteBytes(OutputFileHandle file, const void* bytes, std::size_t count) {
  const char* next = static_cast<const char*>(bytes);
  return posix::TransferAll(count, [&](std::size_t done) {
    return write(Descriptor(file), next + done, count - done);
  });
}

std::size_t ReadBytesAt(OutputFileHandle file, std::uint64_t offset, void* bytes,
                        std::size_t count) {
  char* next = static_cast<char*>(bytes);
  return posix::TransferAll(count, [&](std::size_t done) {
    return pread(Descriptor(file), next + done, count - done, static_cast<off_t>(offset + done));
  });
}

std::size_t WriteBytesAt(OutputFileHandle file, std::uint64_t offset, const void* bytes,
                         std::size_t count) {
  const char* next = static_cast<const char*>(bytes);
  return posix::TransferAll(count, [&](std::size_t done) {
    return pwrite(Descriptor(file), next + done, count - done, static_cast<off_t>(offset + done));
  });
}

void FlushFile(OutputFileHandle file) { fsync(Descriptor(file)); }

void CloseFile(OutputFileHandle& file) {
  if (!file.IsOpen()) return;
  close(Descriptor(file));
  file.value = -1;
}

}  // namespace platform
