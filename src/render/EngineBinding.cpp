#include "EngineBinding.h"

#include <utility>

namespace render {
namespace {

constexpr const char* kLoadFailed = "の呼び出しに失敗しました。";  // after the path
constexpr const char* kVoiceChanged = "【話者変更】";              // before the path

std::string VoiceEnginePath(const std::string& exeDirectory, std::string_view voice) {
  constexpr char sep = platform::kPathSeparator;
  std::string path = exeDirectory;
  path.append("dll").push_back(sep);
  path.append(voice).push_back(sep);
  path.append(kEngineFileName);
  return path;
}

}  // namespace

bool LoadEngine(EngineBinding& binding, std::span<const std::string> candidates) {
  ReleaseEngine(binding);  // never two libraries at once
  for (const std::string& candidate : candidates) {
    binding.CurrentEnginePath = candidate;
    binding.library = platform::OpenLibrary(candidate);
    if (binding.library == nullptr) continue;
    binding.synthe = reinterpret_cast<AquesTalkSynthe*>(
        platform::FindLibrarySymbol(binding.library, kSyntheExportName));
    binding.freeWave = reinterpret_cast<AquesTalkFreeWave*>(
        platform::FindLibrarySymbol(binding.library, kFreeWaveExportName));
    return true;
  }
  platform::WriteConsoleLine(binding.CurrentEnginePath + kLoadFailed);
  return false;
}

bool LoadDefaultEngine(EngineBinding& binding, const std::string& defaultEnginePath) {
  const std::string candidates[] = {defaultEnginePath, kEngineFileName};
  return LoadEngine(binding, candidates);
}

void SwitchVoice(EngineBinding& binding, const std::string& exeDirectory,
                 const std::string& defaultEnginePath, char kind, std::string_view payload,
                 bool showControl) {
  if (kind != 'd' && kind != 'D') return;
  std::string requested = kind == 'd' ? VoiceEnginePath(exeDirectory, payload) : std::string(payload);
  // Compared byte for byte: a path that differs only in letter case is
  // another request, and loads again.
  if (requested == binding.CurrentEnginePath) return;

  // Every request walks the same chain, so a failing request for the
  // default voice tries the default path twice.
  const std::string candidates[] = {std::move(requested), defaultEnginePath, kEngineFileName};
  LoadEngine(binding, candidates);
  if (showControl) platform::WriteConsoleLine(kVoiceChanged + binding.CurrentEnginePath);
}

void ReleaseWave(const EngineBinding& binding, std::uint8_t* image) {
  if (image != nullptr && binding.freeWave != nullptr) binding.freeWave(image);
}

void ReleaseEngine(EngineBinding& binding) {
  if (binding.library != nullptr) platform::CloseLibrary(binding.library);
  binding.library = nullptr;
  binding.synthe = nullptr;
  binding.freeWave = nullptr;
}

}  // namespace render
