#include "Driver.h"

#include "DriverMessages.h"
#include "InputText.h"
#include "Options.h"
#include "Usage.h"
#include "platform/Platform.h"
#include "render/RenderSettings.h"
#include "script/ParseScript.h"

namespace cli {

int RunProgram(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    ShowUsage();
    return 1;
  }
  const std::string exeDirectory = platform::ExecutableDirectory();
  constexpr char sep = platform::kPathSeparator;
  const std::string defaultEnginePath =
      exeDirectory + "dll" + sep + "default" + sep + "AquesTalk.dll";

  render::RenderSettings settings;
  CommandLine commandLine = ScanOptions(arguments, settings);
  if (commandLine.usageRequested) {
    ShowUsage();
    return 1;
  }
  if (!commandLine.inputArgument) {
    platform::WriteConsoleLine(kNothingToRead);
    return 1;
  }
  const std::string& inputArgument = *commandLine.inputArgument;
  if (IsWaveFileName(inputArgument)) {
    platform::WriteConsoleLine(kWaveInputRefused);
    return 1;
  }

  script::StatementList statements;
  {
    InputText input = LoadInput(inputArgument);
    if (input.status == InputStatus::NoMemory) {
      platform::WriteConsoleLine(kNoInputBuffer);
      return 1;
    }
    if (input.status == InputStatus::ReadShort) {
      platform::WriteConsoleLine(std::string(kReadFailedOpen) + inputArgument + kReadFailedClose);
      return 1;
    }
    statements = script::ParseScript(input.text);
  }  // the input buffer goes as soon as the statements are built
  if (statements.Empty()) {
    platform::WriteConsoleLine(kNothingToRead);
    return 1;
  }
  (void)defaultEnginePath;
  return 0;
}

}  // namespace cli
