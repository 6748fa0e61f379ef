// Runs engine loading and voice switches as the program does, for tests that
// watch the console, the loader and the test engine's record from outside.
//
//   voice_switch_driver <exeDirectory> <step>...
//
// Steps: "start" (load the default voice), "d:<voice>", "D:<path>",
// "control:on", "control:off" (the control-message switch, on at first).
// After each step the driver prints "#" + CurrentEnginePath + " loaded" or
// " empty" and, when the binding can synthesize, speaks the step's own text
// once and gives the image back. At the end the engine is released.
#include <string>

#include "platform/Platform.h"
#include "render/EngineBinding.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string exeDirectory = argv[1];
  constexpr char sep = platform::kPathSeparator;
  const std::string defaultEnginePath =
      exeDirectory + "dll" + sep + "default" + sep + render::kEngineFileName;

  render::EngineBinding binding{.CurrentEnginePath = defaultEnginePath};
  bool showControl = true;
  for (int k = 2; k < argc; ++k) {
    const std::string step = argv[k];
    if (step == "start") {
      render::LoadDefaultEngine(binding, defaultEnginePath);
    } else if (step == "control:on" || step == "control:off") {
      showControl = step == "control:on";
    } else if (step.size() > 2 && (step[0] == 'd' || step[0] == 'D') && step[1] == ':') {
      render::SwitchVoice(binding, exeDirectory, defaultEnginePath, step[0], step.substr(2),
                          showControl);
    } else {
      return 2;
    }
    platform::WriteConsoleLine("#" + binding.CurrentEnginePath +
                               (binding.library != nullptr ? " loaded" : " empty"));
    if (binding.synthe != nullptr) {
      std::int32_t code = 0;
      render::ReleaseWave(binding, binding.synthe(step.c_str(), 100, &code));
    }
  }
  render::ReleaseEngine(binding);
  return 0;
}
