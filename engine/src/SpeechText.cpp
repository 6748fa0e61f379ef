#include "SpeechText.h"

#include <string_view>

namespace engine {
namespace {

// Pitch steps, in espeak-ng's pitch units (0..100), from the voice's own
// pitch. What the ear takes for the accent of a word is where its pitch
// falls: after the accent nucleus the pitch steps down to the end of the
// accent phrase. (espeak-ng starts every word high by itself, and each
// embedded command starts a new word, so the rise in front of the nucleus is
// left to it.) A question ends on a rise.
constexpr int kAccentFallStep = -14;
constexpr int kQuestionRiseStep = 22;

// espeak-ng cannot whisper a single vowel; a devoiced mora is spoken softly.
constexpr int kNormalAmplitude = 100;
constexpr int kDevoicedAmplitude = 30;

// espeak-ng's embedded command: Ctrl-A, a value, a letter.
void AppendCommand(std::string& text, int value, char command) {
  text += '\x01';
  text += std::to_string(value);
  text += command;
}

void AppendUtf8(std::string& text, char32_t codePoint) {
  if (codePoint < 0x80) {
    text += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    text += static_cast<char>(0xC0 | (codePoint >> 6));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    text += static_cast<char>(0xE0 | (codePoint >> 12));
    text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

void AppendKana(std::string& text, std::u32string_view kana) {
  for (char32_t codePoint : kana) AppendUtf8(text, codePoint);
}

// Pairs that espeak-ng's Japanese rules misread (りょ comes out as "ryao",
// くぁ as "ka", すぃ as "su"), written as the nearest spelling it reads right.
std::u32string_view RespelledPair(char32_t kana, char32_t smallKana) {
  struct Respelling {
    char32_t kana;
    char32_t smallKana;
    std::u32string_view spelling;
  };
  static constexpr Respelling kRespellings[] = {
      {U'り', U'ゃ', U"りや"}, {U'り', U'ゅ', U"りゆ"}, {U'り', U'ょ', U"りよ"},
      {U'く', U'ぁ', U"くあ"}, {U'ぐ', U'ぁ', U"ぐあ"}, {U'う', U'ぁ', U"わ"},
      {U'す', U'ぃ', U"すい"}, {U'ず', U'ぃ', U"ずい"}, {U'ふ', U'ゅ', U"ひゅ"},
      {U'き', U'ぇ', U"きえ"}, {U'ぎ', U'ぇ', U"ぎえ"}, {U'に', U'ぇ', U"にえ"},
      {U'ひ', U'ぇ', U"ひえ"}, {U'び', U'ぇ', U"びえ"}, {U'ぴ', U'ぇ', U"ぴえ"},
      {U'み', U'ぇ', U"みえ"}, {U'り', U'ぇ', U"りえ"},
      {U'ゔ', U'ゃ', U"びゃ"}, {U'ゔ', U'ょ', U"びょ"},
  };
  for (const Respelling& respelling : kRespellings) {
    if (respelling.kana == kana && respelling.smallKana == smallKana) return respelling.spelling;
  }
  return {};
}

// The vowel kana a mora ends in, for a long-vowel mark after a long-vowel
// mark: espeak-ng reads one ー but not two in a row.
char32_t VowelKanaOf(const Mora& mora) {
  static constexpr std::u32string_view kVowelRows[] = {
      U"ぁあかがさざただなはばぱまゃやらわ", U"ぃいきぎしじちぢにひびぴみりゐ",
      U"ぅうくぐすずつづぬふぶぷむゅゆるゔ", U"ぇえけげせぜてでねへべぺめれゑ",
      U"ぉおこごそぞとどのほぼぽもょよろを"};
  static constexpr std::u32string_view kVowels = U"あいうえお";
  const char32_t last = mora.smallKana != 0 ? mora.smallKana : mora.kana;
  for (std::size_t row = 0; row < kVowels.size(); ++row) {
    if (kVowelRows[row].find(last) != std::u32string_view::npos) return kVowels[row];
  }
  return U'う';
}

// Writes one mora. `lastSound` is the last mora before it in the same accent
// phrase that is no long-vowel mark, or null; `afterLongVowel` tells whether
// a long-vowel mark stands right before it.
void AppendMora(std::string& text, const Mora& mora, const Mora* lastSound, bool afterLongVowel) {
  switch (mora.kind) {
    case MoraKind::kKana: {
      const std::u32string_view respelled = RespelledPair(mora.kana, mora.smallKana);
      if (!respelled.empty()) {
        AppendKana(text, respelled);
      } else {
        AppendUtf8(text, mora.kana);
        if (mora.smallKana != 0) AppendUtf8(text, mora.smallKana);
      }
      break;
    }
    case MoraKind::kNasal:
      AppendUtf8(text, U'ん');
      break;
    case MoraKind::kGeminate:
      AppendUtf8(text, U'っ');
      break;
    case MoraKind::kLongVowel:
      // ー lengthens the sound before it: a vowel, or ん. With nothing to
      // lengthen (at the start of an accent phrase, after っ) it is silent.
      if (lastSound == nullptr || lastSound->kind == MoraKind::kGeminate) break;
      if (lastSound->kind == MoraKind::kNasal) {
        AppendUtf8(text, U'ん');
      } else if (afterLongVowel) {
        AppendUtf8(text, VowelKanaOf(*lastSound));
      } else {
        AppendUtf8(text, U'ー');
      }
      break;
  }
}

void AppendBoundary(std::string& text, Boundary boundary, bool atEnd) {
  switch (boundary) {
    case Boundary::kNone:
    case Boundary::kJoint:
      break;
    case Boundary::kWord:
      if (!atEnd) text += ' ';
      break;
    case Boundary::kBreath:
    case Boundary::kComma:
      AppendUtf8(text, U'、');
      break;
    case Boundary::kPeriod:
      AppendUtf8(text, U'。');
      break;
    case Boundary::kQuestion:
      AppendUtf8(text, U'？');
      break;
  }
}

}  // namespace

std::string SpeechText(const std::vector<Mora>& morae, int basePitch) {
  std::string text;
  // What espeak-ng is set to at this point of the text.
  int pitch = basePitch;
  int amplitude = kNormalAmplitude;
  auto setPitch = [&](int wanted) {
    if (wanted == pitch) return;
    AppendCommand(text, wanted, 'P');
    pitch = wanted;
  };
  auto setAmplitude = [&](int wanted) {
    if (wanted == amplitude) return;
    AppendCommand(text, wanted, 'A');
    amplitude = wanted;
  };

  std::size_t phraseStart = 0;
  while (phraseStart < morae.size()) {
    // An accent phrase runs up to a word boundary or a stronger mark.
    std::size_t phraseEnd = phraseStart;
    while (phraseEnd + 1 < morae.size() && morae[phraseEnd].boundaryAfter < Boundary::kWord) {
      ++phraseEnd;
    }
    std::size_t nucleus = morae.size();
    for (std::size_t i = phraseStart; i <= phraseEnd; ++i) {
      if (morae[i].accentNucleus) {
        nucleus = i - phraseStart;
        break;
      }
    }
    // A question rises from its last mora that is no ー.
    std::size_t riseFrom = morae.size();
    if (morae[phraseEnd].boundaryAfter == Boundary::kQuestion) {
      riseFrom = phraseEnd;
      while (riseFrom > phraseStart && morae[riseFrom].kind == MoraKind::kLongVowel) --riseFrom;
    }

    const Mora* lastSound = nullptr;
    for (std::size_t i = phraseStart; i <= phraseEnd; ++i) {
      const Mora& mora = morae[i];
      // Every embedded command starts a new word for espeak-ng, and a word
      // that starts with ー is read out as the name of a letter: a ー keeps
      // the pitch and loudness of the mora before it.
      if (mora.kind != MoraKind::kLongVowel) {
        int wanted = basePitch;
        if (nucleus < morae.size() && i - phraseStart > nucleus) wanted += kAccentFallStep;
        if (i >= riseFrom) wanted = basePitch + kQuestionRiseStep;
        setPitch(wanted);
        setAmplitude(mora.devoiced ? kDevoicedAmplitude : kNormalAmplitude);
      }
      const bool afterLongVowel = i > phraseStart && morae[i - 1].kind == MoraKind::kLongVowel;
      AppendMora(text, mora, lastSound, afterLongVowel);
      if (mora.kind != MoraKind::kLongVowel) lastSound = &mora;
      AppendBoundary(text, mora.boundaryAfter, i + 1 == morae.size());
    }
    phraseStart = phraseEnd + 1;
  }
  return text;
}

}  // namespace engine
