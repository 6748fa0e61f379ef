// Moving a whole block through read and write calls that may do part of it.
#pragma once

#include <sys/types.h>

#include <cerrno>
#include <cstddef>

namespace platform::posix {

// Calls `step(done)` (one read or write of the bytes from `done` on, giving
// what the system call gives) until `count` bytes are done, a call fails or
// a call moves nothing; a call interrupted by a signal is made again.
// Returns the number of bytes done.
template <typename Step>
std::size_t TransferAll(std::size_t count, Step step) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t moved = step(done);
    if (moved < 0 && errno == EINTR) continue;
    if (moved <= 0) break;
    done += static_cast<std::size_t>(moved);
  }
  return done;
}

}  // namespace platform::posix
