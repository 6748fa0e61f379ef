#include "InputText.h"

namespace cli {

InputText LoadInput(const std::string& inputArgument) {
  InputText input;
  platform::InputFile file = platform::ReadInputFile(inputArgument);
  switch (file.status) {
    case platform::InputReadStatus::CannotOpen:
      input.text = inputArgument;  // a literal phonetic text
      break;
    case platform::InputReadStatus::NoMemory:
      input.status = InputStatus::NoMemory;
      break;
    case platform::InputReadStatus::ReadShort:
      input.status = InputStatus::ReadShort;
      break;
    case platform::InputReadStatus::Done:
      input.text = std::string_view(file.bytes.get(), file.size);
      input.fileBytes = std::move(file.bytes);
      break;
  }
  return input;
}

bool IsWaveFileName(std::string_view argument) {
  return argument.size() > 4 && (argument.ends_with(".wav") || argument.ends_with(".WAV"));
}

}  // namespace cli
