#include "Recovery.h"

#include <string_view>
#include <vector>

#include "script/ShiftJis.h"
#include "script/SplitPhrase.h"

namespace render {
namespace {

// The phrases of a refused text, back to back in one string: phrase k is
// joined[ends[k - 1], ends[k]), phrase 0 starting at 0.
struct PhraseList {
  std::string joined;
  std::vector<std::size_t> ends;
};

PhraseList CutIntoPhrases(std::string_view text) {
  PhraseList phrases;
  phrases.joined.reserve(text.size() + 1);
  const auto size = static_cast<std::int32_t>(text.size());
  std::int32_t position = 0;
  while (position < size) {
    if (text[position] == '\r' || text[position] == '\n') {
      ++position;
      continue;
    }
    const std::size_t phraseStart = phrases.joined.size();
    if (text[position] == '<' && position + 1 < size && text[position + 1] == '-') {
      // A "<-" left in a pending text is spoken text, not a control
      // statement, but the splitter stops in front of it without moving on.
      // Its "<" is taken as an ordinary character; the "-" behind it is one
      // too, so the phrase goes on exactly as if the splitter had taken both.
      phrases.joined.push_back('<');
      ++position;
    }
    const script::PhraseCut cut = script::CutPhrase(text, position, phrases.joined);
    position = cut.lastPosition + 1;
    if (phrases.joined.size() > phraseStart) phrases.ends.push_back(phrases.joined.size());
  }
  return phrases;
}

// Marks the second bytes of the double-byte characters: a cut in front of one
// would split its character, so such a cut moves one byte on.
std::vector<bool> SecondBytes(std::string_view text) {
  std::vector<bool> second(text.size() + 1, false);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (script::IsLeadByte(static_cast<unsigned char>(text[i]))) second[++i] = true;
  }
  return second;
}

// Asks the engine for the first `length` bytes of `text`. The byte behind them
// is a NUL for the length of the call, so that no prefix is ever copied.
std::uint8_t* SynthesizePrefix(AquesTalkSynthe* synthe, std::int32_t* codeSlot, std::string& text,
                               std::size_t length, std::int32_t speed) {
  const char behind = text[length];
  text[length] = '\0';
  std::uint8_t* image = synthe(text.c_str(), speed, codeSlot);
  text[length] = behind;
  return image;
}

}  // namespace

std::uint8_t* SynthesizeWithRecovery(AquesTalkSynthe* synthe, std::int32_t* codeSlot,
                                     std::string& pendingText, std::int32_t speed) {
  if (synthe == nullptr) return nullptr;
  // The engine reads up to the first NUL, and so does every cut below.
  if (const std::size_t nul = pendingText.find('\0'); nul != std::string::npos) {
    pendingText.resize(nul);
  }

  if (std::uint8_t* image = synthe(pendingText.c_str(), speed, codeSlot)) {
    pendingText.clear();
    return image;
  }
  // Only "too long" leaves hope for a shorter text. Any other answer without
  // an image, a size included, fails the whole text.
  if (!IsOverflowCode(*codeSlot)) {
    pendingText.clear();
    return nullptr;
  }

  // Whole phrases first, from all but the last down to the first alone.
  PhraseList phrases = CutIntoPhrases(pendingText);
  for (std::size_t phraseCount = phrases.ends.size(); phraseCount-- > 1;) {
    const std::size_t spoken = phrases.ends[phraseCount - 1];
    if (std::uint8_t* image = SynthesizePrefix(synthe, codeSlot, phrases.joined, spoken, speed)) {
      pendingText.assign(phrases.joined, spoken);
      return image;
    }
    if (!IsOverflowCode(*codeSlot)) {
      pendingText.clear();
      return nullptr;
    }
  }

  // Then leading bytes of the text as it came, from all but the last byte
  // down to the first character alone. A cut that would split a double-byte
  // character takes its second byte too, so the first cut can be the whole
  // text again when it ends with such a character.
  const std::vector<bool> secondBytes = SecondBytes(pendingText);
  for (std::size_t cut = pendingText.size(); cut-- > 1;) {
    const std::size_t spoken = cut + (secondBytes[cut] ? 1 : 0);
    if (std::uint8_t* image = SynthesizePrefix(synthe, codeSlot, pendingText, spoken, speed)) {
      pendingText.erase(0, spoken);
      return image;
    }
    if (!IsOverflowCode(*codeSlot)) {
      pendingText.clear();
      return nullptr;
    }
  }

  pendingText.clear();  // even one character is too long: *codeSlot says so
  return nullptr;
}

}  // namespace render
