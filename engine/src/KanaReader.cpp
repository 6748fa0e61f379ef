#include "KanaReader.h"

#include <cstring>
#include <string_view>

#include "EngineCodes.h"

namespace engine {
namespace {

enum class SymbolKind : std::uint8_t {
  kUndefined,
  kKana,
  kSmallKana,
  kNasal,
  kGeminate,
  kLongVowel,
  kMark,
  kAccent,
  kDevoice,
};

struct Symbol {
  SymbolKind kind = SymbolKind::kUndefined;
  char32_t kana = 0;                    // kKana, kSmallKana: a hiragana code point
  Boundary mark = Boundary::kNone;      // kMark
  int length = 1;                       // bytes taken from the text
  bool endsPhrase = false;              // kMark: a phrase mark (all but the space)
};

constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr char32_t kHiraganaFirst = U'\u3041';  // ぁ
constexpr char32_t kNasalKana = U'\u3093';      // ん
constexpr char32_t kGeminateKana = U'\u3063';   // っ
constexpr char32_t kSmallWa = U'\u308E';        // ゎ
constexpr char32_t kWa = U'\u308F';             // わ

constexpr bool IsSmallKana(char32_t kana) {
  switch (kana) {
    case U'\u3041': case U'\u3043': case U'\u3045': case U'\u3047': case U'\u3049':  // ぁぃぅぇぉ
    case U'\u3083': case U'\u3085': case U'\u3087':                                  // ゃゅょ
      return true;
    default:
      return false;
  }
}

Symbol KanaSymbol(char32_t hiragana) {
  Symbol symbol;
  symbol.length = 2;
  symbol.kana = hiragana;
  if (hiragana == kNasalKana) {
    symbol.kind = SymbolKind::kNasal;
  } else if (hiragana == kGeminateKana) {
    symbol.kind = SymbolKind::kGeminate;
  } else if (IsSmallKana(hiragana)) {
    symbol.kind = SymbolKind::kSmallKana;
  } else {
    // A small ゎ never joins the kana before it; it is said as わ.
    if (hiragana == kSmallWa) symbol.kana = kWa;
    symbol.kind = SymbolKind::kKana;
  }
  return symbol;
}

// Katakana are read as the hiragana of the same sound. ヴ, ヵ and ヶ have no
// hiragana in Shift-JIS: ヴ becomes ゔ, the small ヵ and ヶ are said か and け.
char32_t HiraganaOfKatakana(char32_t katakana) {
  switch (katakana) {
    case U'\u30F4': return U'\u3094';  // ヴ -> ゔ
    case U'\u30F5': return U'\u304B';  // ヵ -> か
    case U'\u30F6': return U'\u3051';  // ヶ -> け
    default: return katakana - 0x60;
  }
}

Symbol MarkSymbol(Boundary mark, int length, bool endsPhrase = true) {
  Symbol symbol;
  symbol.kind = SymbolKind::kMark;
  symbol.mark = mark;
  symbol.length = length;
  symbol.endsPhrase = endsPhrase;
  return symbol;
}

Symbol SingleByteSymbol(unsigned char byte) {
  switch (byte) {
    case ' ': return MarkSymbol(Boundary::kWord, 1, false);
    case '/': return MarkSymbol(Boundary::kWord, 1);
    case '+': return MarkSymbol(Boundary::kJoint, 1);
    case ';': return MarkSymbol(Boundary::kBreath, 1);
    case ',': return MarkSymbol(Boundary::kComma, 1);
    case '\'': return Symbol{SymbolKind::kAccent, 0, Boundary::kNone, 1};
    case '_': return Symbol{SymbolKind::kDevoice, 0, Boundary::kNone, 1};
    default: return Symbol{};
  }
}

// Decodes the symbol that starts at `text`, which is not the NUL. A lead byte
// whose second byte is the NUL is undefined and takes one byte.
Symbol DecodeSymbol(const unsigned char* text) {
  const unsigned char lead = text[0];
  if (!IsLeadByte(lead)) return SingleByteSymbol(lead);
  const unsigned char trail = text[1];
  if (trail == 0) return Symbol{};
  const unsigned code = (unsigned{lead} << 8) | trail;
  switch (code) {
    case 0x8141: return MarkSymbol(Boundary::kComma, 2);     // 、
    case 0x8142: return MarkSymbol(Boundary::kPeriod, 2);    // 。
    case 0x8148: return MarkSymbol(Boundary::kQuestion, 2);  // ？
    case 0x815B: return Symbol{SymbolKind::kLongVowel, 0, Boundary::kNone, 2};  // ー
    default: break;
  }
  if (code >= 0x829F && code <= 0x82F1) {  // ぁ .. ん
    return KanaSymbol(kHiraganaFirst + (code - 0x829F));
  }
  if (code >= 0x8340 && code <= 0x8396 && code != 0x837F) {  // ァ .. ヶ, with a gap at 0x837F
    const char32_t katakana = U'\u30A1' + (code - 0x8340) - (code > 0x837F ? 1 : 0);
    return KanaSymbol(HiraganaOfKatakana(katakana));
  }
  Symbol undefined;
  undefined.length = 2;
  return undefined;
}

// The small kana that make one mora with the kana before them: the palatal
// ゃゅょ and the vowels of the loanword sounds (ファ, ティ, トゥ, ウェ ...).
// Any other small kana is a mora of its own, said as its full-size kana.
bool JoinsAsOneMora(char32_t kana, char32_t smallKana) {
  auto in = [kana](std::u32string_view bases) { return bases.find(kana) != std::u32string_view::npos; };
  switch (smallKana) {
    case U'\u3083': case U'\u3085': case U'\u3087':  // ゃゅょ
      return in(U"きぎしじちぢにひびぴみりゔ") || (smallKana == U'\u3085' && in(U"てでふ"));
    case U'\u3041': return in(U"うくぐつふゔ");                      // ぁ
    case U'\u3043': return in(U"うくぐすずつてでふゔ");              // ぃ
    case U'\u3045': return in(U"とど");                              // ぅ
    case U'\u3047': return in(U"いうきぎくぐしじちつにひびぴふみりゔ");  // ぇ
    case U'\u3049': return in(U"うくぐつふゔ");                      // ぉ
    default: return false;
  }
}

char32_t FullSizeOf(char32_t smallKana) {
  // In the hiragana block each small kana stands right before its full size.
  return smallKana + 1;
}

}  // namespace

KanaReading ReadKana(const char* text) {
  KanaReading reading;
  if (text == nullptr) {
    reading.code = kNothingToSpeak;
    return reading;
  }
  if (strnlen(text, kMaxTextBytes + 1) > kMaxTextBytes) {
    reading.code = kTextTooLong;
    return reading;
  }

  auto* position = reinterpret_cast<const unsigned char*>(text);
  int phraseMorae = 0;
  bool devoiceNext = false;
  bool lastCanTakeSmallKana = false;  // the last symbol read was a kana with nothing joined yet
  bool anySound = false;

  auto addMora = [&](Mora mora) {
    mora.devoiced = devoiceNext;
    devoiceNext = false;
    reading.morae.push_back(mora);
    return ++phraseMorae <= kMaxPhraseMorae;
  };

  while (*position != 0) {
    const Symbol symbol = DecodeSymbol(position);
    position += symbol.length;
    const bool couldTakeSmallKana = lastCanTakeSmallKana;
    lastCanTakeSmallKana = false;
    bool withinLimit = true;

    switch (symbol.kind) {
      case SymbolKind::kUndefined:
        reading.code = kUndefinedSymbol;
        reading.morae.clear();
        return reading;

      case SymbolKind::kSmallKana:
        if (couldTakeSmallKana && JoinsAsOneMora(reading.morae.back().kana, symbol.kana)) {
          reading.morae.back().smallKana = symbol.kana;
          break;
        }
        withinLimit = addMora(Mora{MoraKind::kKana, FullSizeOf(symbol.kana)});
        anySound = true;
        lastCanTakeSmallKana = true;
        break;

      case SymbolKind::kKana:
        withinLimit = addMora(Mora{MoraKind::kKana, symbol.kana});
        anySound = true;
        lastCanTakeSmallKana = true;
        break;

      case SymbolKind::kNasal:
        withinLimit = addMora(Mora{MoraKind::kNasal, symbol.kana});
        anySound = true;
        break;

      case SymbolKind::kGeminate:
        withinLimit = addMora(Mora{MoraKind::kGeminate, symbol.kana});
        break;

      case SymbolKind::kLongVowel:
        withinLimit = addMora(Mora{MoraKind::kLongVowel});
        break;

      case SymbolKind::kMark:
        devoiceNext = false;
        if (symbol.endsPhrase) phraseMorae = 0;
        if (!reading.morae.empty() && reading.morae.back().boundaryAfter < symbol.mark) {
          reading.morae.back().boundaryAfter = symbol.mark;
        }
        break;

      case SymbolKind::kAccent:
        // The nucleus is the mora right before the mark, within its accent
        // phrase; an accent mark anywhere else says nothing.
        if (!reading.morae.empty() && reading.morae.back().boundaryAfter == Boundary::kNone) {
          reading.morae.back().accentNucleus = true;
        }
        break;

      case SymbolKind::kDevoice:
        devoiceNext = true;
        break;
    }
    if (!withinLimit) {
      reading.code = kPhraseTooLong;
      reading.morae.clear();
      return reading;
    }
  }

  if (!anySound) {
    reading.code = kNothingToSpeak;
    reading.morae.clear();
  }
  return reading;
}

}  // namespace engine
