// Statements and the StatementList: what the script parser builds and the
// statement interpreter executes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// A Statement is a byte string: its first byte is the kind (a control letter,
// a phrase kind or the flush marker), the rest is its payload.
using Statement = std::string;

inline constexpr char kFlushMarker = '<';

// Phrase kinds: how a phrase ended.
inline constexpr char kKindPlain = ' ';       // ran out after ordinary characters
inline constexpr char kKindComma = ',';       // closed by ","
inline constexpr char kKindTouten = '\xA4';   // closed by "、"
inline constexpr char kKindKuten = '\xA1';    // closed by "。"
inline constexpr char kKindQuestion = '?';    // "？" was its last soft mark
inline constexpr char kKindSemicolon = ';';
inline constexpr char kKindSlash = '/';
inline constexpr char kKindPlus = '+';        // also: ran into "<-"

constexpr bool IsControlLetter(char letter) {
  switch (letter) {
    case 'B': case 'b': case 'D': case 'd': case 'M': case 'm':
    case 'S': case 's': case 'V': case 'v': case 'c':
      return true;
    default:
      return false;
  }
}

// The statements of a script, stored back to back in one byte string so that
// a large script costs a handful of allocations instead of one per phrase.
struct StatementList {
  std::string bytes;
  std::vector<std::size_t> ends;  // where each statement ends in `bytes`

  std::size_t Count() const { return ends.size(); }
  bool Empty() const { return ends.empty(); }
  std::string_view At(std::size_t index) const {
    std::size_t begin = index == 0 ? 0 : ends[index - 1];
    return std::string_view(bytes).substr(begin, ends[index] - begin);
  }
  void Append(std::string_view statement) {
    bytes.append(statement);
    ends.push_back(bytes.size());
  }
};

}  // namespace script
