// Scripts run end to end in file mode: what was printed, what the engine was
// asked, and the WAV file byte for byte.
#include <gtest/gtest.h>

#include "EndToEnd.h"

namespace {

using e2e::Call;
using e2e::Pause;
using e2e::Speak;

const std::string kError105 = "【DllError】105:音声記号列に未定義の読み記号が指定された";

std::pair<std::string, std::string> Fail(const std::string& text, int code) {
  return {"TESTENGINE_FAIL", testengine::Hex(text) + ":" + std::to_string(code)};
}

struct ScriptRow {
  const char* name;
  std::string script;
  std::vector<std::string> options;
  std::vector<std::pair<std::string, std::string>> environment;
  std::vector<std::string> console;
  std::vector<e2e::Event> events;
};

const std::vector<ScriptRow>& Rows() {
  static const std::vector<ScriptRow> rows = {
      {"the terminator goes in front of the next text", "あ、い。", {}, {},
       {"【音声記号】あ、", "【音声記号】い。"},
       {Speak{"あ、"}, Pause{200}, Speak{"、い。"}, Pause{400}}},
      {"a comma", "あ,い", {}, {},
       {"【音声記号】あ,", "【音声記号】い"},
       {Speak{"あ,"}, Pause{90}, Speak{",い"}}},
      {"the terminator is carried across a control statement", "あ、<-S:100>い", {}, {},
       {"【音声記号】あ、", "【基本速度】100", "【音声記号】い"},
       {Speak{"あ、"}, Pause{200}, Speak{"、い"}}},
      {"the terminator is carried across an engine error", "あ、い。う", {}, {Fail("、い。", 105)},
       {"【音声記号】あ、", "【音声記号】い。", kError105, "【音声記号】う"},
       {Speak{"あ、"}, Pause{200}, Call{"、い。"}, Speak{"。う"}}},
      {"soft marks only gather", "あ/い+う;え", {}, {},
       {"【音声記号】あ/い+う;え"},
       {Speak{"あ/い+う;え"}}},
      {"a question has no pause", "あ？い。", {}, {},
       {"【音声記号】あ？", "【音声記号】い。"},
       {Speak{"あ？"}, Speak{"？い。"}, Pause{400}}},
      {"clamps of the four settings", "<-S:0><-S:10><-S:-5><-S:999><-s:1><-s:0><-V:0><-V:700><-V:-3><-v:601>",
       {}, {},
       {"【基本速度】100", "【基本速度】50", "【基本速度】50", "【基本速度】300", "【相対速度】50",
        "【相対速度】100", "【基本音量】100", "【基本音量】600", "【基本音量】1", "【相対音量】600"},
       {}},
      {"payloads that are no numbers read 0", "<-S:200><-S:abc><-B:x><-b:y>", {}, {},
       {"【基本速度】200", "【基本速度】100"},
       {}},
      {"absolute pauses, the first one before any image", "<-B:0><-B:-10><-B:250>あ。<-B:1>", {}, {},
       {"【音声記号】あ。"},
       {Pause{250}, Speak{"あ。"}, Pause{400}, Pause{1}}},
      {"scaled pauses", "<-S:120><-b:1><-S:150><-s:80><-b:1000>", {}, {},
       {"【基本速度】120", "【基本速度】150", "【相対速度】80"},
       {Pause{832}}},
      {"pauses after marks follow the speed", "<-S:120>あ,い、う。", {}, {},
       {"【基本速度】120", "【音声記号】あ,", "【音声記号】い、", "【音声記号】う。"},
       {Speak{"あ,", 120}, Pause{75}, Speak{",い、", 120}, Pause{166}, Speak{"、う。", 120}, Pause{333}}},
      {"the phrase speed is held at 300", "<-S:300><-s:300>あ。", {}, {},
       {"【基本速度】300", "【相対速度】300", "【音声記号】あ。"},
       {Speak{"あ。", 300}, Pause{44}}},
      {"the phrase speed is held at 50", "<-S:50><-s:50>あ、", {}, {},
       {"【基本速度】50", "【相対速度】50", "【音声記号】あ、"},
       {Speak{"あ、", 50}, Pause{800}}},
      {"the speed option", "あ。", {"-s:150"}, {},
       {"【音声記号】あ。"},
       {Speak{"あ。", 150}, Pause{266}}},
      {"the phrase volume is held at 1", "<-v:1>あ", {"-v:50"}, {},
       {"【相対音量】1", "【音声記号】あ"},
       {Speak{"あ", 100, 1}}},
      {"the phrase volume is held at 600", "<-V:600><-v:600>あ", {}, {},
       {"【基本音量】600", "【相対音量】600", "【音声記号】あ"},
       {Speak{"あ", 100, 600}}},
      {"a locked level ignores m but not M", "<-m:0><-c:見える><-M:0><-c:見えない>あ。", {"-m:3"}, {},
       {"見える"},
       {Speak{"あ。"}, Pause{400}}},
      {"an unlocked m applies", "<-m:0><-c:見えない>あ。", {}, {},
       {},
       {Speak{"あ。"}, Pause{400}}},
      {"levels 2 and 3 announce themselves", "<-M:2><-c:x><-M:3><-c:y><-M:1><-S:120><-M:0><-c:z>", {}, {},
       {"【相対出力】制御文メッセージを出力します。",
        "【相対出力】コメントメッセージと制御文メッセージを出力します。", "y"},
       {}},
      {"engine errors are printed whatever the level", "あ。", {"-m:0"}, {Fail("あ。", 105)},
       {kError105},
       {Call{"あ。"}}},
      {"a code without text is silent and keeps the pause", "あ。い", {}, {Fail("あ。", 99)},
       {"【音声記号】あ。", "【音声記号】い"},
       {Call{"あ。"}, Pause{400}, Speak{"。い"}}},
      {"an engine error in the middle of a text spoken in pieces", "あい;うえ;おか。", {},
       {{"TESTENGINE_REFUSE_OVER", "10"}, Fail("おか。", 105)},
       {"【音声記号】あい;うえ;おか。", kError105},
       {Call{"あい;うえ;おか。"}, Speak{"あい;うえ;"}, Call{"おか。"}}},
      {"a text refused down to its last character", "あ。", {},
       {{"TESTENGINE_REFUSE_OVER", "0"}, {"TESTENGINE_REFUSE_CODE", "204"}},
       {"【音声記号】あ。", "【DllError】204:音声記号列が長い（内部バッファオーバー1）"},
       {Call{"あ。"}, Call{"あ。"}, Call{"あ"}, Call{"あ"}}},
      {"comments keep their bytes", "<-c:こんにちは\r\nせかい>", {}, {},
       {"こんにちは\r\nせかい"},
       {}},
      {"comments hidden by the level", "<-c:こんにちは>", {"-m:2"}, {},
       {},
       {}},
  };
  return rows;
}

TEST(Interpreter, ScriptsInFileMode) {
  for (const ScriptRow& row : Rows()) {
    SCOPED_TRACE(row.name);
    e2e::EngineRun run;
    std::vector<std::string> options = row.options;
    options.insert(options.begin(), "-o");
    const auto result = run.RunScript(row.script, options, row.environment);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, e2e::Lines(row.console));
    const testengine::Record record = run.Record();
    EXPECT_EQ(e2e::RecordedCalls(record), e2e::ExpectedCalls(row.events));
    EXPECT_EQ(testengine::ReleaseFaults(record), std::vector<std::string>{});
    EXPECT_EQ(run.WaveFile(), e2e::ExpectedWaveFile(row.events));
  }
}

// The road of one file: the first image goes in whole with its leading
// silence, the second without it, and the header is patched at the end.
TEST(Interpreter, RoadOfOneFile) {
  e2e::EngineRun run;
  const auto result = run.RunScript("<-S:120>こんにちは、げんきですか？", {"-o"},
                                    {{"TESTENGINE_LEADING_ZEROS", "3"}});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output,
            e2e::Lines({"【基本速度】120", "【音声記号】こんにちは、", "【音声記号】げんきですか？"}));
  EXPECT_EQ(e2e::RecordedCalls(run.Record()),
            (std::vector<std::pair<std::string, std::int32_t>>{{"こんにちは、", 120},
                                                               {"、げんきですか？", 120}}));
  const std::string file = run.WaveFile();
  const std::string first = testengine::ExpectedImage("こんにちは、", 3);
  const std::string second = testengine::ExpectedImage("、げんきですか？", 3);
  ASSERT_EQ(file.size(), first.size() + 166 * 16 + second.size() - 44 - 6);
  // The first image whole, but for its two patched size fields.
  EXPECT_EQ(file.substr(8, 32), first.substr(8, 32));
  EXPECT_EQ(file.substr(44, first.size() - 44), first.substr(44));
  EXPECT_EQ(file.substr(first.size(), 166 * 16), std::string(166 * 16, '\0'));
  EXPECT_EQ(file.substr(first.size() + 166 * 16), second.substr(44 + 6));
  EXPECT_EQ(file, e2e::ExpectedWaveFile({Speak{"こんにちは、", 120}, Pause{166},
                                         Speak{"、げんきですか？", 120}},
                                        3));
}

TEST(Interpreter, AppendingAddsNoSecondHeader) {
  e2e::EngineRun run;
  ASSERT_EQ(run.RunScript("あ。", {"-o"}).exitCode, 0);
  ASSERT_EQ(run.RunScript("い", {"-a"}).exitCode, 0);
  EXPECT_EQ(run.WaveFile(), e2e::ExpectedWaveFile({Speak{"あ。"}, Pause{400}, Speak{"い"}}));
}

TEST(Interpreter, RunWithoutAnyEngine) {
  testsupport::Installation install;  // an empty dll/ folder
  testsupport::WriteFileBytes(install.root.path / "script.txt", "あ、<-B:10>い");
  const auto result = install.Run({"-o", "script.txt"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output,
            e2e::Lines({"AquesTalk.dllの呼び出しに失敗しました。", "【音声記号】あ、", "【音声記号】い"}));
  // Silent phrases keep their pauses; the file is still a valid WAV file.
  EXPECT_EQ(testsupport::ReadFileBytes(install.root.path / "script.wav"),
            e2e::ExpectedWaveFile({Pause{200}, Pause{10}}));
}

}  // namespace
