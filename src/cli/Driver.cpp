#include "Driver.h"

#include <optional>

#include "DriverMessages.h"
#include "InputText.h"
#include "Options.h"
#include "Usage.h"
#include "audio/OutputFile.h"
#include "audio/PatchWaveHeader.h"
#include "audio/SilenceBlock.h"
#include "platform/Platform.h"
#include "render/EngineBinding.h"
#include "render/Interpreter.h"
#include "render/RenderSettings.h"
#include "script/ParseScript.h"

namespace cli {
namespace {

// Reads the input and parses it. When the run has to end there, prints why
// and gives nothing.
std::optional<script::StatementList> LoadStatements(const std::string& inputArgument) {
  script::StatementList statements;
  {
    InputText input = LoadInput(inputArgument);
    if (input.status == InputStatus::NoMemory) {
      platform::WriteConsoleLine(kNoInputBuffer);
      return std::nullopt;
    }
    if (input.status == InputStatus::ReadShort) {
      platform::WriteConsoleLine(std::string(kReadFailedOpen) + inputArgument + kReadFailedClose);
      return std::nullopt;
    }
    statements = script::ParseScript(input.text);
  }  // the input buffer goes as soon as the statements are built
  if (statements.Empty()) {
    platform::WriteConsoleLine(kNothingToRead);
    return std::nullopt;
  }
  return statements;
}

}  // namespace

int RunProgram(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    ShowUsage();
    return 1;
  }
  constexpr char sep = platform::kPathSeparator;
  render::VoicePaths voicePaths;
  voicePaths.exeDirectory = platform::ExecutableDirectory();
  voicePaths.defaultEnginePath =
      voicePaths.exeDirectory + "dll" + sep + "default" + sep + render::kEngineFileName;
  const audio::SilenceBlock silence;  // zero bytes for every pause

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

  const std::optional<script::StatementList> statements = LoadStatements(inputArgument);
  if (!statements) return 1;

  audio::OutputFile outputFile;
  if (settings.FileOutput &&
      !audio::OpenOutputFile(commandLine.outputPath, inputArgument, settings.AppendOutput, outputFile)) {
    return 1;
  }
  // From here on nothing ends the run early: a missing engine only means
  // the phrases pass in silence.
  render::EngineBinding binding;
  render::LoadDefaultEngine(binding, voicePaths.defaultEnginePath);
  const render::SoundOutput output{settings.FileOutput ? &outputFile : nullptr, &silence};
  render::RunStatements(*statements, settings, binding, voicePaths, output);
  render::ReleaseEngine(binding);
  if (settings.FileOutput) {
    audio::PatchWaveHeader(outputFile);
    audio::CloseOutputFile(outputFile);
  }
  return 0;
}

}  // namespace cli
