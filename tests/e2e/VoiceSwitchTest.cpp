// Voice switches written in scripts, against copies of the test engine in
// voice folders beside the program.
#include <gtest/gtest.h>

#include "EndToEnd.h"

namespace {

std::vector<std::string> AnsweringLibraries(const testengine::Record& record) {
  std::vector<std::string> libraries;
  for (const auto& call : record.calls) libraries.push_back(call.library);
  return libraries;
}

TEST(VoiceSwitch, StatementsLoadVoiceFolders) {
  e2e::EngineRun run;
  run.install.AddVoice("f1", testengine::EnginePath());
  const std::string root = std::filesystem::canonical(run.install.root.path).string();
  const std::string defaultVoice = root + "/dll/default/AquesTalk.dll";
  const std::string f1 = root + "/dll/f1/AquesTalk.dll";
  const std::string script =
      "あ。<-d:f1>い。<-d:f1>う。<-d:F1>え。<-d:missing>お。<-D:" + f1 + ">か。<-d:default>き";
  const auto result = run.RunScript(script, {"-o", "-m:2"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output, e2e::Lines({
                               "【音声記号】あ。",
                               "【話者変更】" + f1,
                               "【音声記号】い。",
                               "【音声記号】う。",  // the same voice again changes nothing
                               "【話者変更】" + defaultVoice,  // dll/F1 is another folder, and missing
                               "【音声記号】え。",
                               "【話者変更】" + defaultVoice,
                               "【音声記号】お。",
                               "【話者変更】" + f1,
                               "【音声記号】か。",
                               "【話者変更】" + defaultVoice,
                               "【音声記号】き",
                           }));
  const testengine::Record record = run.Record();
  EXPECT_EQ(AnsweringLibraries(record),
            (std::vector<std::string>{defaultVoice, f1, f1, defaultVoice, defaultVoice, f1, defaultVoice}));
  EXPECT_EQ(testengine::ReleaseFaults(record), std::vector<std::string>{});
}

TEST(VoiceSwitch, HiddenControlMessagesHideTheSwitchButNotFailures) {
  testsupport::Installation install;  // no engine at all
  testsupport::WriteFileBytes(install.root.path / "script.txt", "<-d:f1>あ<-D:AquesTalk.dll>い");
  EXPECT_EQ(install.Run({"-o", "-m:1", "script.txt"}).output,
            e2e::Lines({"AquesTalk.dllの呼び出しに失敗しました。",
                        "AquesTalk.dllの呼び出しに失敗しました。"}));
  // With the messages on, the switch names the last resort it ended with;
  // a request for the path already tried does nothing.
  EXPECT_EQ(install.Run({"-o", "script.txt"}).output,
            e2e::Lines({"AquesTalk.dllの呼び出しに失敗しました。",
                        "AquesTalk.dllの呼び出しに失敗しました。", "【話者変更】AquesTalk.dll",
                        "【音声記号】あ+", "【音声記号】い"}));
}

}  // namespace
