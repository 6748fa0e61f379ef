#include "ParseScript.h"

#include <cstdint>
#include <cstring>

#include "SplitPhrase.h"

namespace script {
namespace {

// Phrases are cut straight into the list's byte string: one byte is kept for
// the kind, the splitter appends the text, and an empty phrase is taken back.
void AppendPhrase(StatementList& list, std::string_view text, std::int32_t& pos) {
  const std::size_t kindAt = list.bytes.size();
  list.bytes.push_back(kKindPlain);
  const PhraseCut cut = CutPhrase(text, pos, list.bytes);
  if (list.bytes.size() - kindAt > 1) {
    list.bytes[kindAt] = cut.kind;
    list.ends.push_back(list.bytes.size());
  } else {
    list.bytes.resize(kindAt);
  }
  pos = cut.lastPosition + 1;
}

}  // namespace

StatementList ParseScript(std::string_view inputText) {
  StatementList list;
  const std::size_t nul = inputText.find('\0');
  std::string_view text = inputText.substr(0, nul);
  if (text.size() > INT32_MAX - 1) text = text.substr(0, INT32_MAX - 1);
  const auto length = static_cast<std::int32_t>(text.size());
  const char* bytes = text.data();
  // Statements hold the text's bytes plus a kind byte each: reserve once.
  list.bytes.reserve(text.size() + text.size() / 4 + 16);
  list.ends.reserve(text.size() / 16 + 4);

  std::int32_t pos = 0;
  while (pos < length) {
    const char byte = bytes[pos];
    if (byte == '\r' || byte == '\n') {
      ++pos;
      continue;
    }
    if (byte == '<' && pos + 1 < length && bytes[pos + 1] == '-') {
      list.Append(std::string_view(&kFlushMarker, 1));
      pos += 2;  // the letter position
      const bool isControl = pos + 1 < length && IsControlLetter(bytes[pos]) && bytes[pos + 1] == ':';
      const std::int32_t valueStart = isControl ? pos + 2 : pos;
      // The value (or the unknown tag) runs to the first ">".
      const void* close = valueStart < length
                              ? std::memchr(bytes + valueStart, '>', length - valueStart)
                              : nullptr;
      if (close == nullptr) break;  // an unclosed tag ends the parse
      const auto closeAt = static_cast<std::int32_t>(static_cast<const char*>(close) - bytes);
      if (isControl && closeAt > valueStart) {
        list.bytes.push_back(bytes[pos]);
        list.bytes.append(bytes + valueStart, closeAt - valueStart);
        list.ends.push_back(list.bytes.size());
      }
      pos = closeAt + 1;
      continue;
    }
    AppendPhrase(list, text, pos);
  }
  if (!list.Empty()) list.Append(std::string_view(&kFlushMarker, 1));
  return list;
}

}  // namespace script
