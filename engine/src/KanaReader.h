// Reads the kana notation (Shift-JIS bytes) into morae and the marks between
// them. Knows the notation only; how espeak-ng is made to say it is
// SpeechText's business.
#pragma once

#include <cstdint>
#include <vector>

namespace engine {

// What separates a mora from the next one. A run of marks counts as its
// strongest mark; the order here is that strength.
enum class Boundary : std::uint8_t {
  kNone,
  kJoint,     // "+": a phrase boundary inside one accent phrase
  kWord,      // "/" or a space: a new accent phrase, no pause
  kBreath,    // ";": a short pause inside the sentence
  kComma,     // "、" or ",": a pause, the sentence goes on
  kPeriod,    // "。": the sentence ends, falling
  kQuestion,  // "？": the sentence ends as a question, rising
};

enum class MoraKind : std::uint8_t {
  kKana,        // a kana, with the small kana that joins it, if any
  kNasal,       // ん
  kGeminate,    // っ: holds the next consonant
  kLongVowel,   // ー: lengthens the mora before it
};

struct Mora {
  MoraKind kind = MoraKind::kKana;
  char32_t kana = 0;         // kKana: the hiragana code point (katakana read as hiragana)
  char32_t smallKana = 0;    // kKana: the small kana joined to it, or 0
  bool accentNucleus = false;  // an "'" follows: the pitch falls after this mora
  bool devoiced = false;       // an "_" went before: the vowel is whispered
  Boundary boundaryAfter = Boundary::kNone;
};

struct KanaReading {
  int code = 0;  // 0 when the text can be spoken, else the engine's error code
  std::vector<Mora> morae;
};

// Reads a NUL-terminated text. Never reads behind the NUL, and refuses a text
// longer than kMaxTextBytes before reading it. Marks before the first mora are
// dropped: they belong to the sentence spoken before.
KanaReading ReadKana(const char* text);

}  // namespace engine
