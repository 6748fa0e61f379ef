// End-to-end runs of the built program in a temporary installation with the
// test engine, and what such a run should leave behind.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "TestEngineRecord.h"
#include "TestSupport.h"

namespace e2e {

// An engine call that gives sound: the file (or the device) gets its image.
struct Speak {
  std::string text;
  std::int32_t speed = 100;
  std::int32_t volume = 100;
};
// An engine call that gives no sound (refused, or failed).
struct Call {
  std::string text;
  std::int32_t speed = 100;
};
// A pause, in milliseconds.
struct Pause {
  std::uint32_t milliseconds;
};
using Event = std::variant<Speak, Call, Pause>;

// The WAV file a file-mode run should leave: the header of the first image,
// then its sound data whole, every later image from its first non-zero
// sample on, pauses as zero bytes, and the two size fields patched.
std::string ExpectedWaveFile(const std::vector<Event>& events, std::uint32_t leadingZeros = 0);

// The sound the device should hear: every image from its first non-zero
// sample on, one after another.
std::string ExpectedPlayedSamples(const std::vector<Event>& events, std::uint32_t leadingZeros = 0);

// The engine calls the events stand for, as (text, speed) pairs.
std::vector<std::pair<std::string, std::int32_t>> ExpectedCalls(const std::vector<Event>& events);
std::vector<std::pair<std::string, std::int32_t>> RecordedCalls(const testengine::Record& record);

// Console lines joined as the program writes them.
std::string Lines(const std::vector<std::string>& lines);

// An installation with the test engine as its default voice, a record file
// for the engine, and a script file to run.
struct EngineRun {
  EngineRun();
  // Writes `script` to script.txt and runs the program on it with the
  // options; the record file and `environment` are set for the engine.
  testsupport::ProcessResult RunScript(const std::string& script, std::vector<std::string> options,
                                       std::vector<std::pair<std::string, std::string>> environment = {});
  testengine::Record Record() const { return testengine::ReadRecord(logFile); }
  std::string WaveFile() const { return testsupport::ReadFileBytes(install.root.path / "script.wav"); }

  testsupport::Installation install;
  std::filesystem::path logFile;
};

}  // namespace e2e
