// Shift-JIS (CP932) character boundaries.
#pragma once

namespace script {

// A lead byte starts a double-byte character and takes the next byte with it.
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace script
