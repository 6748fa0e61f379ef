// The libraries the engine speaks through stay loaded for the life of the
// process, whatever becomes of the copy of the engine that loaded them.
#pragma once

namespace engine {

// Pins libespeak-ng, libsoxr and libsonic; does its work on the first call.
void PinSpeechLibraries();

}  // namespace engine
