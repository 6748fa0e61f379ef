// The phrase splitter: cuts the next phrase out of a phonetic text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Statement.h"

namespace script {

// Where and how one phrase ended.
struct PhraseCut {
  char kind;
  std::int32_t lastPosition;  // the last byte the phrase took; resume behind it
};

// Cuts the phrase that starts at `start` (not the terminator) and appends its
// text to `phraseText`. The text ends at its end or at its first NUL byte.
PhraseCut CutPhrase(std::string_view text, std::int32_t start, std::string& phraseText);

// The phrase Statement starting at *position (or at 0 when position is null),
// with *position moved to the last byte it took. An absent text, a start on
// the terminator or a start outside the text gives the empty string and
// leaves the position alone.
Statement SplitPhrase(std::string_view text, std::int32_t* position);

// The Statement made of the kind byte followed by the phrase text.
Statement FinishPhrase(char kind, std::string_view phraseText);

}  // namespace script
