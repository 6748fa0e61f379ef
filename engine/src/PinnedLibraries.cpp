// The libraries the engine speaks through stay loaded for the life of the
// process, whatever becomes of the copy of the engine that loaded them.
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

// Done as the library is loaded: even a copy that never speaks has brought
// libsoxr and the OpenMP runtime in, and would lose their start-up
// allocations when it goes.
[[maybe_unused]] const bool pinnedAtLoad = (PinAll(), true);

}  // namespace
}  // namespace engine
