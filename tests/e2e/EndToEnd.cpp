#include "EndToEnd.h"

#include <algorithm>

namespace e2e {
namespace {

constexpr std::size_t kHeaderBytes = 44;

void PutLe32(std::string& bytes, std::size_t offset, std::uint32_t value) {
  for (int k = 0; k < 4; ++k) bytes[offset + k] = static_cast<char>((value >> (8 * k)) & 0xFF);
}

// The image as the program hands it on: its samples scaled by the volume.
std::string ScaledImage(const Speak& speak, std::uint32_t leadingZeros) {
  std::string image = testengine::ExpectedImage(speak.text, leadingZeros);
  for (std::size_t at = kHeaderBytes; at + 1 < image.size(); at += 2) {
    auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(image[at]) |
                                            static_cast<std::uint8_t>(image[at + 1]) << 8);
    std::int32_t scaled = std::clamp(sample * speak.volume / 100, -32768, 32767);
    image[at] = static_cast<char>(scaled & 0xFF);
    image[at + 1] = static_cast<char>((scaled >> 8) & 0xFF);
  }
  return image;
}

std::string FromFirstSound(const std::string& image) {
  std::size_t start = kHeaderBytes;
  while (start + 1 < image.size() && image[start] == 0 && image[start + 1] == 0) start += 2;
  return image.substr(start);
}

}  // namespace

std::string ExpectedWaveFile(const std::vector<Event>& events, std::uint32_t leadingZeros) {
  std::string header;
  std::string data;
  for (const Event& event : events) {
    if (const auto* pause = std::get_if<Pause>(&event)) {
      data.append(pause->milliseconds * 16u, '\0');
    } else if (const auto* speak = std::get_if<Speak>(&event)) {
      const std::string image = ScaledImage(*speak, leadingZeros);
      if (header.empty()) {
        header = image.substr(0, kHeaderBytes);
        data += image.substr(kHeaderBytes);
      } else {
        data += FromFirstSound(image);
      }
    }
  }
  if (header.empty()) header = testengine::ExpectedImage("").substr(0, kHeaderBytes);
  std::string file = header + data;
  PutLe32(file, 4, static_cast<std::uint32_t>(file.size() - 8));
  PutLe32(file, 40, static_cast<std::uint32_t>(file.size() - 44));
  return file;
}

std::string ExpectedPlayedSamples(const std::vector<Event>& events, std::uint32_t leadingZeros) {
  std::string samples;
  for (const Event& event : events) {
    if (const auto* speak = std::get_if<Speak>(&event)) {
      samples += FromFirstSound(ScaledImage(*speak, leadingZeros));
    }
  }
  return samples;
}

std::vector<std::pair<std::string, std::int32_t>> ExpectedCalls(const std::vector<Event>& events) {
  std::vector<std::pair<std::string, std::int32_t>> calls;
  for (const Event& event : events) {
    if (const auto* speak = std::get_if<Speak>(&event)) calls.emplace_back(speak->text, speak->speed);
    if (const auto* call = std::get_if<Call>(&event)) calls.emplace_back(call->text, call->speed);
  }
  return calls;
}

std::vector<std::pair<std::string, std::int32_t>> RecordedCalls(const testengine::Record& record) {
  std::vector<std::pair<std::string, std::int32_t>> calls;
  for (const auto& call : record.calls) calls.emplace_back(call.text, call.speed);
  return calls;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) joined += line + "\n";
  return joined;
}

EngineRun::EngineRun() : logFile(install.root.path / "engine.log") {
  install.AddVoice("default", testengine::EnginePath());
}

testsupport::ProcessResult EngineRun::RunScript(
    const std::string& script, std::vector<std::string> options,
    std::vector<std::pair<std::string, std::string>> environment) {
  testsupport::WriteFileBytes(install.root.path / "script.txt", script);
  options.push_back("script.txt");
  testsupport::RunOptions run;
  run.environment = std::move(environment);
  run.environment.emplace_back("TESTENGINE_LOG", logFile.string());
  return install.Run(options, run);
}

}  // namespace e2e
