#include "SplitPhrase.h"

#include <array>

#include "ShiftJis.h"

namespace script {
namespace {

enum class ScanState { Leading, Body, Trailing };

constexpr unsigned char kCR = 0x0D;
constexpr unsigned char kLF = 0x0A;
constexpr unsigned char kMarkLead = 0x81;   // first byte of 、 。 ？
constexpr unsigned char kTouten = 0x41;     // 、
constexpr unsigned char kKuten = 0x42;      // 。
constexpr unsigned char kQuestion = 0x48;   // ？

// How the scan treats each byte value on first sight.
enum ByteClass : unsigned char { kSingle, kLead, kLook };

constexpr auto kByteClasses = [] {
  std::array<ByteClass, 256> classes{};
  for (int byte = 0; byte < 256; ++byte) {
    classes[byte] = IsLeadByte(static_cast<unsigned char>(byte)) ? kLead : kSingle;
  }
  // The terminator, line breaks, the marks (、。？ share the lead byte 0x81)
  // and the start of "<-" need a closer look.
  const unsigned char looked[] = {0, kCR, kLF, ';', '/', '+', ',', kMarkLead, '<'};
  for (unsigned char byte : looked) classes[byte] = kLook;
  return classes;
}();

}  // namespace

PhraseCut CutPhrase(std::string_view text, std::int32_t start, std::string& phraseText) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  const auto size = static_cast<std::int32_t>(text.size());
  // The byte at i, with the end of the view read as the terminator.
  auto at = [&](std::int32_t i) -> unsigned char { return i < size ? bytes[i] : 0; };

  ScanState state = ScanState::Leading;
  char kind = kKindPlain;
  std::int32_t i = start;
  std::int32_t runStart = i;  // input bytes [runStart, i) still to be copied
  auto copyRun = [&] { phraseText.append(text.data() + runStart, i - runStart); };
  auto softMark = [&](char mark, std::int32_t width) {
    kind = mark;
    if (state == ScanState::Body) state = ScanState::Trailing;
    i += width;
  };

  for (;;) {
    const unsigned char byte = at(i);
    if (kByteClasses[byte] != kLook) {
      if (state == ScanState::Trailing) break;  // the character starts the next phrase
      state = ScanState::Body;
      kind = kKindPlain;
      // Ordinary characters, the bulk of any script, are taken in one run.
      while (i < size) {
        const ByteClass byteClass = kByteClasses[bytes[i]];
        if (byteClass == kLook) break;
        i += (byteClass == kLead && i + 1 < size && bytes[i + 1] != 0) ? 2 : 1;
      }
      continue;
    }
    switch (byte) {
      case 0:
        copyRun();
        return {kind, i};
      case kCR:
      case kLF:
        copyRun();
        runStart = ++i;
        continue;
      case ';':
      case '/':
      case '+':
        softMark(static_cast<char>(byte), 1);
        continue;
      case ',':
        ++i;
        copyRun();
        return {kKindComma, i - 1};
      case kMarkLead: {
        const unsigned char second = at(i + 1);
        if (second == kTouten || second == kKuten) {
          i += 2;
          copyRun();
          return {second == kTouten ? kKindTouten : kKindKuten, i - 1};
        }
        if (second == kQuestion) {
          softMark(kKindQuestion, 2);
          continue;
        }
        break;  // any other character with this lead byte is ordinary
      }
      case '<':
        if (at(i + 1) == '-') {
          copyRun();
          // Ordinary characters that run into a control statement are joined
          // to what follows it, as a soft mark would.
          if (kind == kKindPlain) {
            phraseText.push_back('+');
            kind = kKindPlus;
          }
          return {kind, i - 1};
        }
        break;
    }
    // An ordinary character that begins with one of the looked-at bytes.
    if (state == ScanState::Trailing) break;
    state = ScanState::Body;
    kind = kKindPlain;
    i += (IsLeadByte(byte) && at(i + 1) != 0) ? 2 : 1;
  }
  copyRun();
  return {kind, i - 1};
}

Statement FinishPhrase(char kind, std::string_view phraseText) {
  Statement statement;
  statement.reserve(phraseText.size() + 1);
  statement.push_back(kind);
  statement.append(phraseText);
  return statement;
}

Statement SplitPhrase(std::string_view text, std::int32_t* position) {
  if (text.data() == nullptr) return {};
  const std::int32_t start = position != nullptr ? *position : 0;
  if (start < 0 || static_cast<std::size_t>(start) >= text.size() || text[start] == '\0') {
    return {};
  }
  std::string phraseText;
  const PhraseCut cut = CutPhrase(text, start, phraseText);
  if (position != nullptr) *position = cut.lastPosition;
  return FinishPhrase(cut.kind, phraseText);
}

}  // namespace script
