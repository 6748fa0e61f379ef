// Choosing and loading the input: a file's content, or the argument itself.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace cli {

enum class InputStatus { Ready, NoMemory, ReadShort };

struct InputText {
  InputStatus status = InputStatus::Ready;
  platform::HeapBytes fileBytes;  // the file's content, when the argument named a readable file
  std::string_view text;          // what the parser reads
};

// Reads the file the argument names; when it cannot be opened, the argument
// itself is the text.
InputText LoadInput(const std::string& inputArgument);

// True for an argument longer than four bytes that ends in ".wav" or ".WAV".
bool IsWaveFileName(std::string_view argument);

}  // namespace cli
