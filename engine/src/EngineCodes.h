// The codes the engine answers with, and the limits behind the two
// "too long" codes.
#pragma once

#include <cstddef>

namespace engine {

inline constexpr int kOtherError = 100;        // espeak-ng could not be started
inline constexpr int kOutOfMemory = 101;
inline constexpr int kUndefinedSymbol = 105;   // a byte sequence that is no symbol of the notation
inline constexpr int kNothingToSpeak = 111;    // no mora with a sound of its own
inline constexpr int kPhraseTooLong = 202;     // one phrase holds more than kMaxPhraseMorae
inline constexpr int kTextTooLong = 204;       // the text is longer than kMaxTextBytes

// A text of more bytes than this is refused whole, so that the caller speaks
// it in pieces: about a minute of speech at the normal speed.
inline constexpr std::size_t kMaxTextBytes = 1024;

// The most morae between two phrase marks (、 。 ？ , ; / +).
inline constexpr int kMaxPhraseMorae = 128;

}  // namespace engine
