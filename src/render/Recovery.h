// Synthesis that gets past the engine's refusal of an over-long text by
// speaking a leading part of it, so that repeated calls speak it all.
#pragma once

#include <cstdint>
#include <string>

#include "EngineInterface.h"

namespace render {

// Asks the engine (none when `synthe` is null) for the whole of pendingText at
// `speed`. When the engine refuses it as too long, asks again for leading
// parts: whole phrases, the most first, then leading bytes, the longest
// first, never cutting a double-byte character in two. Returns the first
// image made and leaves in pendingText what is still to be spoken; on a
// failure, or when even the shortest part is refused, returns null with the
// engine's code in *codeSlot and pendingText emptied. Without an engine,
// returns null and changes nothing. The caller releases a returned image.
std::uint8_t* SynthesizeWithRecovery(AquesTalkSynthe* synthe, std::int32_t* codeSlot,
                                     std::string& pendingText, std::int32_t speed);

}  // namespace render
