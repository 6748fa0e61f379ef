// Engine loading and voice switching, seen from outside: the console lines,
// every library the loader was asked for (glibc's LD_DEBUG=files lists each
// dlopen and each unload), and which copy of the test engine answered.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "TestEngineRecord.h"
#include "TestSupport.h"

// The messages below are CP932, as the program writes them.
namespace {

namespace fs = std::filesystem;

struct Session {
  const char* name;
  std::vector<std::string> voices;  // folders under dll/ that hold the test engine
  bool bareNameFound;               // whether the bare name finds a copy
  std::vector<std::string> steps;   // see VoiceSwitchDriver.cpp
  std::vector<std::string> lines;   // "#..." lines are the driver's
  std::vector<std::string> loader;  // "load <path>" asked of the loader, "unload <path>"
  std::vector<std::pair<std::string, std::string>> spoken;  // step -> library that answered
};

// In every text above, {dll} stands for the installation's dll/ folder and
// {bare} for the folder the bare name is found in.
constexpr const char* kDefault = "{dll}default/AquesTalk.dll";
constexpr const char* kVoice = "{dll}voice/AquesTalk.dll";
constexpr const char* kUpperVoice = "{dll}VOICE/AquesTalk.dll";
constexpr const char* kMissing = "{dll}missing/AquesTalk.dll";
constexpr const char* kBare = "AquesTalk.dll";
constexpr const char* kFailed = "AquesTalk.dllの呼び出しに失敗しました。";

std::string Load(const std::string& path) { return "load " + path; }
std::string Unload(const std::string& path) { return "unload " + path; }
std::string Switched(const std::string& path) { return "【話者変更】" + path; }
std::string Loaded(const std::string& path) { return "#" + path + " loaded"; }
std::string Empty(const std::string& path) { return "#" + path + " empty"; }

const Session kSessions[] = {
    {"start-up loads the default voice and says nothing", {"default"}, false,
     {"start"},
     {Loaded(kDefault)},
     {Load(kDefault), Unload(kDefault)},
     {{"start", kDefault}}},
    {"start-up falls back on the bare name", {}, true,
     {"start"},
     {Loaded(kBare)},
     {Load(kDefault), Load(kBare), Unload("{bare}AquesTalk.dll")},
     {{"start", "{bare}AquesTalk.dll"}}},
    {"start-up without any engine", {}, false,
     {"start"},
     {kFailed, Empty(kBare)},
     {Load(kDefault), Load(kBare)},
     {}},
    {"the current voice asked for again changes nothing", {"default"}, false,
     {"start", "d:default", std::string("D:") + kDefault},
     {Loaded(kDefault), Loaded(kDefault), Loaded(kDefault)},
     {Load(kDefault), Unload(kDefault)},
     {{"start", kDefault}, {"d:default", kDefault}, {std::string("D:") + kDefault, kDefault}}},
    {"to a voice and back, the old one released first", {"default", "voice"}, false,
     {"start", "d:voice", "d:default"},
     {Loaded(kDefault), Switched(kVoice), Loaded(kVoice), Switched(kDefault), Loaded(kDefault)},
     {Load(kDefault), Unload(kDefault), Load(kVoice), Unload(kVoice), Load(kDefault),
      Unload(kDefault)},
     {{"start", kDefault}, {"d:voice", kVoice}, {"d:default", kDefault}}},
    {"a missing voice falls back on the default, each time", {"default"}, false,
     {"start", "d:missing", "d:missing"},
     {Loaded(kDefault), Switched(kDefault), Loaded(kDefault), Switched(kDefault), Loaded(kDefault)},
     {Load(kDefault), Unload(kDefault), Load(kMissing), Load(kDefault), Unload(kDefault),
      Load(kMissing), Load(kDefault), Unload(kDefault)},
     {{"start", kDefault}, {"d:missing", kDefault}, {"d:missing", kDefault}}},
    {"a failing request for the default voice tries it twice", {}, false,
     {"start", "d:default"},
     {kFailed, Empty(kBare), kFailed, Switched(kBare), Empty(kBare)},
     {Load(kDefault), Load(kBare), Load(kDefault), Load(kDefault), Load(kBare)},
     {}},
    {"after a total failure the bare name is current", {}, false,
     {"start", "D:AquesTalk.dll", "d:missing"},
     {kFailed, Empty(kBare), Empty(kBare), kFailed, Switched(kBare), Empty(kBare)},
     {Load(kDefault), Load(kBare), Load(kMissing), Load(kDefault), Load(kBare)},
     {}},
    {"letter case makes another request", {"default", "voice", "VOICE"}, false,
     {"start", "d:voice", "d:VOICE", std::string("D:") + kUpperVoice},
     {Loaded(kDefault), Switched(kVoice), Loaded(kVoice), Switched(kUpperVoice),
      Loaded(kUpperVoice), Loaded(kUpperVoice)},
     {Load(kDefault), Unload(kDefault), Load(kVoice), Unload(kVoice), Load(kUpperVoice),
      Unload(kUpperVoice)},
     {{"start", kDefault}, {"d:voice", kVoice}, {"d:VOICE", kUpperVoice},
      {std::string("D:") + kUpperVoice, kUpperVoice}}},
    {"with control messages off only failures show", {"voice"}, false,
     {"control:off", "start", "d:voice", "d:missing"},
     {Empty(kDefault), kFailed, Empty(kBare), Loaded(kVoice), kFailed, Empty(kBare)},
     {Load(kDefault), Load(kBare), Load(kVoice), Unload(kVoice), Load(kMissing), Load(kDefault),
      Load(kBare)},
     {{"d:voice", kVoice}}},
};

std::string Fill(std::string text, const fs::path& root) {
  const std::pair<std::string, std::string> places[] = {
      {"{dll}", (root / "inst" / "dll").string() + "/"}, {"{bare}", (root / "bare").string() + "/"}};
  for (const auto& [mark, value] : places) {
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
      text.replace(at, mark.size(), value);
      at += value.size();
    }
  }
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The engine libraries the loader was asked to load or unloaded, in order.
std::vector<std::string> LoaderEvents(const std::string& debugOutput) {
  std::vector<std::string> events;
  for (const std::string& line : Lines(debugOutput)) {
    if (line.find("AquesTalk.dll") == std::string::npos) continue;
    if (const auto at = line.find("file="); at != std::string::npos &&
                                            line.find("dynamically loaded by") != std::string::npos) {
      events.push_back("load " + line.substr(at + 5, line.find(" [", at) - at - 5));
    } else if (const auto fini = line.find("calling fini: "); fini != std::string::npos) {
      events.push_back("unload " + line.substr(fini + 14, line.find(" [", fini) - fini - 14));
    }
  }
  return events;
}

TEST(EngineBindingTest, Sessions) {
  for (const Session& session : kSessions) {
    SCOPED_TRACE(session.name);
    testsupport::TempDir dir;
    const fs::path root = dir.path;
    for (const std::string& voice : session.voices) {
      fs::create_directories(root / "inst" / "dll" / voice);
      fs::copy_file(testengine::EnginePath(), root / "inst" / "dll" / voice / "AquesTalk.dll");
    }
    fs::create_directories(root / "bare");
    if (session.bareNameFound) fs::copy_file(testengine::EnginePath(), root / "bare" / "AquesTalk.dll");

    std::vector<std::string> arguments{(root / "inst").string() + "/"};
    for (const std::string& step : session.steps) arguments.push_back(Fill(step, root));
    testsupport::RunOptions options;
    options.environment = {{"TESTENGINE_LOG", (root / "engine.log").string()},
                           {"LD_DEBUG", "files"},
                           {"LD_LIBRARY_PATH", (root / "bare").string()},
                           {"LC_ALL", "C"}};
    const testsupport::ProcessResult result =
        testsupport::RunCommand(YOMIAGE_VOICE_SWITCH_DRIVER, arguments, options);
    ASSERT_EQ(result.exitCode, 0) << result.errors;

    std::vector<std::string> expectedLines;
    for (const std::string& line : session.lines) expectedLines.push_back(Fill(line, root));
    EXPECT_EQ(Lines(result.output), expectedLines);

    std::vector<std::string> expectedLoader;
    for (const std::string& event : session.loader) expectedLoader.push_back(Fill(event, root));
    EXPECT_EQ(LoaderEvents(result.errors), expectedLoader);

    const testengine::Record record = testengine::ReadRecord(root / "engine.log");
    std::vector<std::pair<std::string, std::string>> spoken, expectedSpoken;
    for (const testengine::SyntheCall& call : record.calls) spoken.emplace_back(call.text, call.library);
    for (const auto& [step, library] : session.spoken) {
      expectedSpoken.emplace_back(Fill(step, root), Fill(library, root));
    }
    EXPECT_EQ(spoken, expectedSpoken);
    EXPECT_EQ(testengine::ReleaseFaults(record), std::vector<std::string>{});
  }
}

// An engine that cannot take its images back still speaks; nothing calls the
// entry point it lacks.
TEST(EngineBindingTest, EngineWithoutReleaseStillSpeaks) {
  testsupport::TempDir dir;
  fs::create_directories(dir.path / "inst" / "dll" / "default");
  fs::copy_file(testengine::EngineWithoutFreeWavePath(),
                dir.path / "inst" / "dll" / "default" / "AquesTalk.dll");
  // The images it cannot take back stay with the process: a leak by design,
  // which the leak checker of a sanitizer build must not count as a failure.
  const char* asanOptions = std::getenv("ASAN_OPTIONS");
  testsupport::RunOptions options;
  options.environment = {
      {"TESTENGINE_LOG", (dir.path / "engine.log").string()},
      {"LC_ALL", "C"},
      {"ASAN_OPTIONS", std::string(asanOptions != nullptr ? asanOptions : "") + ":detect_leaks=0"}};
  const testsupport::ProcessResult result = testsupport::RunCommand(
      YOMIAGE_VOICE_SWITCH_DRIVER, {(dir.path / "inst").string() + "/", "start", "d:default"},
      options);
  ASSERT_EQ(result.exitCode, 0) << result.errors;
  EXPECT_EQ(result.output, "#" + (dir.path / "inst/dll/default/AquesTalk.dll").string() +
                               " loaded\n#" +
                               (dir.path / "inst/dll/default/AquesTalk.dll").string() + " loaded\n");
  const testengine::Record record = testengine::ReadRecord(dir.path / "engine.log");
  ASSERT_EQ(record.calls.size(), 2u);
  EXPECT_NE(record.calls[0].image, "-");
  EXPECT_NE(record.calls[1].image, "-");
  EXPECT_TRUE(record.releases.empty());
}

}  // namespace
