#include "PinnedLibraries.h"

#include <espeak-ng/speak_lib.h>
#include <sonic.h>
#include <soxr.h>

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

namespace engine {
namespace {

// Takes a hold on the library that holds `symbol`, for good. The handle is
// never closed on purpose.
void Pin([[maybe_unused]] void* symbol) {
#if !defined(_WIN32)
  Dl_info info{};
  if (dladdr(symbol, &info) != 0 && info.dli_fname != nullptr) {
    dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
#endif
}

void PinAll() {
  // Every copy of the engine (one per voice folder) shares these libraries,
  // and espeak-ng keeps its state, its data and a worker thread in its own:
  // they must outlive a copy that goes while another copy, or the same one
  // loaded anew, still needs them. libsoxr brings the OpenMP runtime along,
  // whose start-up allocations would be lost at each unloading.
  Pin(reinterpret_cast<void*>(&espeak_Synth));
  Pin(reinterpret_cast<void*>(&soxr_oneshot));
  Pin(reinterpret_cast<void*>(&sonicCreateStream));
}

}  // namespace

void PinSpeechLibraries() {
  static const bool pinned = (PinAll(), true);
  static_cast<void>(pinned);
}

}  // namespace engine
