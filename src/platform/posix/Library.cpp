#include <dlfcn.h>
#include <limits.h>

#include "../Platform.h"
#include "Encoding.h"

namespace platform {

LibraryHandle OpenLibrary(const std::string& path) {
  std::string native = posix::NativePath(path);
  // glibc's loader misbehaves on names far beyond the path limit; such a
  // name cannot name a library anyway.
  if (native.empty() || native.size() >= PATH_MAX || native.find('\0') != std::string::npos) {
    return nullptr;
  }
  return dlopen(native.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindLibrarySymbol(LibraryHandle library, const char* name) {
  if (library == nullptr) return nullptr;
  return dlsym(library, name);
}

void CloseLibrary(LibraryHandle library) {
  if (library != nullptr) dlclose(library);
}

}  // namespace platform
