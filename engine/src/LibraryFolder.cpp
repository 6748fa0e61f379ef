#include "LibraryFolder.h"

#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace engine {
namespace {

// The path this library was loaded by, as the loader keeps it.
std::string LibraryPath() {
#if defined(_WIN32)
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                              GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&LibraryPath), &module)) {
    return {};
  }
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(path, length);
#else
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LibraryPath), &info) == 0 || info.dli_fname == nullptr) {
    return {};
  }
  return info.dli_fname;
#endif
}

}  // namespace

std::string LibraryFolderName() {
  // The folder's name as the library was loaded by, not as its real path
  // would have it: the voice is the folder the caller chose.
  const std::filesystem::path path = std::filesystem::path(LibraryPath()).lexically_normal();
  return path.parent_path().filename().string();
}

}  // namespace engine
