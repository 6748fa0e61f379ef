// The operating-system services yomiage needs, in the program's own terms.
// Every text that crosses this header is CP932 bytes; the implementations do
// whatever converting the platform needs at the edge. Nothing outside
// src/platform/ includes an operating-system header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// ---- Start-up -------------------------------------------------------------

// Sets the locale and the process-wide settings a run relies on.
void PrepareProcess();

// The command-line arguments after the program's name, in their CP932 form.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The folder of the running executable, ending with kPathSeparator; empty
// when it cannot be found.
std::string ExecutableDirectory();

// ---- Console ---------------------------------------------------------------

// Writes one line (the bytes, a newline) to standard output and flushes it.
void WriteConsoleLine(std::string_view line);

// ---- The input file ----------------------------------------------------------

struct FreeBytes {
  void operator()(char* bytes) const { std::free(bytes); }
};
using HeapBytes = std::unique_ptr<char[], FreeBytes>;

enum class InputReadStatus {
  CannotOpen,  // no such file, a directory, no access...: the name is text
  NoMemory,    // no buffer of the file's size plus one byte
  ReadShort,   // the read delivered fewer bytes than the file's size
  Done,
};

struct InputFile {
  InputReadStatus status = InputReadStatus::CannotOpen;
  HeapBytes bytes;   // the content, CP932, followed by a NUL byte
  std::size_t size = 0;  // bytes before that NUL
};

// Reads a whole input file into one buffer of its size plus one byte.
InputFile ReadInputFile(const std::string& path);

// ---- The output file ---------------------------------------------------------

struct OutputFileHandle {
  std::intptr_t value = -1;
  bool IsOpen() const { return value != -1; }
};

enum class OutputDisposition {
  CreateAlways,  // create, or empty an existing file
  OpenAlways,    // open an existing file, or create it
};

// Opens a file for writing (and, to check an existing header before
// appending, for reading when it opens always), shared with no other writer.
// Returns a closed handle on failure; also fails, without touching the file,
// when the path names the same file as `protectedPath` (the input must never
// be overwritten) or when another writer holds the file.
OutputFileHandle OpenOutputFile(const std::string& path, OutputDisposition disposition,
                                const std::string& protectedPath);
bool MoveToEnd(OutputFileHandle file);
// The size in bytes; 0 for a device or pipe, which has none.
std::uint64_t FileSize(OutputFileHandle file);
// Appends at the current position; returns the number of bytes written.
std::size_t WriteBytes(OutputFileHandle file, const void* bytes, std::size_t count);
// Reads up to `count` bytes from `offset` (for checking an existing header).
std::size_t ReadBytesAt(OutputFileHandle file, std::uint64_t offset, void* bytes, std::size_t count);
std::size_t WriteBytesAt(OutputFileHandle file, std::uint64_t offset, const void* bytes,
                         std::size_t count);
// Puts the file's data on disk.
void FlushFile(OutputFileHandle file);
void CloseFile(OutputFileHandle& file);

// ---- Dynamic libraries -------------------------------------------------------

using LibraryHandle = void*;
// Returns nullptr when the library cannot be loaded.
LibraryHandle OpenLibrary(const std::string& path);
// Returns nullptr when the library has no such export.
void* FindLibrarySymbol(LibraryHandle library, const char* name);
void CloseLibrary(LibraryHandle library);

// ---- Sound -------------------------------------------------------------------

// Plays a complete in-memory WAV image of integer PCM in the format its
// header gives, and returns when it has been heard. A missing, busy or
// failing sound device means nothing is heard, and nothing is printed.
void PlayWaveImage(const std::uint8_t* image, std::size_t size);

// Holds the thread for the given number of milliseconds.
void HoldThread(std::uint32_t milliseconds);

}  // namespace platform
