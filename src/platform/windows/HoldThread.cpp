#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "../Platform.h"

namespace platform {

void HoldThread(std::uint32_t milliseconds) { Sleep(milliseconds); }

}  // namespace platform
