// The console text for an engine error code.
#pragma once

#include <cstdint>
#include <string>

namespace render {

// The text for a code the engine is known to report, or the empty string for
// any other code (0 included), whose text is dropped without a message.
std::string EngineErrorText(std::int32_t code);

}  // namespace render
