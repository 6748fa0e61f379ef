// The two entry points of a speech engine library, as the program calls them.
// The library is found and loaded at run time; these types are all the
// program knows of it.
#pragma once

#include <cstdint>
#include <type_traits>

#if defined(_WIN32) && !defined(_WIN64)
#define YOMIAGE_ENGINE_CALL __stdcall
#else
#define YOMIAGE_ENGINE_CALL
#endif

// The engine reports through a plain int; the program keeps that value as a
// signed 32-bit code slot and hands its address straight through.
static_assert(std::is_same_v<int, std::int32_t>, "the engine's int is the 32-bit code slot");

extern "C" {

// Turns a NUL-terminated Shift-JIS phonetic text into a WAV image. On success
// the code slot holds the image's size in bytes, header included; on failure
// the result is null and the code slot holds the engine's error code.
typedef unsigned char* YOMIAGE_ENGINE_CALL AquesTalkSynthe(const char* text, int speed,
                                                            int* codeSlot);

// Gives an image returned by AquesTalk_Synthe back to the engine.
typedef void YOMIAGE_ENGINE_CALL AquesTalkFreeWave(unsigned char* wave);

}  // extern "C"

namespace render {

inline constexpr const char* kSyntheExportName = "AquesTalk_Synthe";
inline constexpr const char* kFreeWaveExportName = "AquesTalk_FreeWave";

// The engine's answers for a text too long for its buffers: a shorter text
// may still be accepted.
inline constexpr std::int32_t kOverflowCodes[] = {202, 204};

constexpr bool IsOverflowCode(std::int32_t code) {
  for (std::int32_t overflow : kOverflowCodes) {
    if (code == overflow) return true;
  }
  return false;
}

}  // namespace render
