#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "../Platform.h"

namespace platform {

LibraryHandle OpenLibrary(const std::string& path) {
  // A bare name is found by the system's own library search.
  return reinterpret_cast<LibraryHandle>(LoadLibraryA(path.c_str()));
}

void* FindLibrarySymbol(LibraryHandle library, const char* name) {
  if (library == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(LibraryHandle library) {
  if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace platform
