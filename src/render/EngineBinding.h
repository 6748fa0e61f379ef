// Which speech engine library is loaded, and switching between voices.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "EngineInterface.h"
#include "platform/Platform.h"

namespace render {

// The one engine library of a run. Either loaded (library set, the entry
// points as the library exports them, each possibly null) or empty (all null).
struct EngineBinding {
  std::string CurrentEnginePath;  // the path last requested or tried
  platform::LibraryHandle library = nullptr;
  AquesTalkSynthe* synthe = nullptr;
  AquesTalkFreeWave* freeWave = nullptr;
};

// The engine's file name in every voice folder; as a bare name, the last
// resort, left to the platform's own library search.
inline constexpr const char* kEngineFileName = "AquesTalk.dll";

// Releases whatever is loaded, then loads the first candidate the platform
// accepts. When none loads, the binding is empty, CurrentEnginePath is the
// last candidate and the failure line is printed, whatever the message
// switches say. Returns whether a library was loaded.
bool LoadEngine(EngineBinding& binding, std::span<const std::string> candidates);

// Start-up: the default voice, else the bare name. Prints nothing on success.
bool LoadDefaultEngine(EngineBinding& binding, const std::string& defaultEnginePath);

// Carries out a voice-switch statement: `kind` 'd' names a voice folder beside
// the executable, 'D' a library path. A request for the current path does
// nothing; any other loads the request, else the default voice, else the bare
// name, and then names the result when showControl is on.
void SwitchVoice(EngineBinding& binding, const std::string& exeDirectory,
                 const std::string& defaultEnginePath, char kind, std::string_view payload,
                 bool showControl);

// Gives an image back to the engine that made it. An engine without a
// release entry point keeps its images: they are still spoken, and their
// memory goes with the process.
void ReleaseWave(const EngineBinding& binding, std::uint8_t* image);

// Unloads the library, if any, and empties the binding.
void ReleaseEngine(EngineBinding& binding);

}  // namespace render
