#include "Usage.h"

#include "platform/Platform.h"

namespace cli {

void ShowUsage() {
  static constexpr const char* kUsageLines[] = {
      "【使い方】",
      "AquesTalkの音声記号文字列かそれを記録したシフトJIS形式のTEXTファイル名を引数に指定して実行してください。",
      "【コマンドラインスイッチ】",
      " -o\tファイル出力モード。",
      " -a\tファイル追記モード。",
      " -f\t「-f:ファイル名」で出力ファイル名の指定。",
      " -s\t「-s:数値(50～300)」で基本速度値の設定。",
      " -v\t「-v:数値(1～600)」で基本音量値の設定。",
      " -m\t「-m:数値(0～3)」で出力メッセージ種の設定。",
      "【-mの出力メッセージ種】",
      "  0\t何も出力されません。",
      "  1\tコメントメッセージのみ出力されます。",
      "  2\t制御文メッセージのみ出力されます。",
      "  3\tコメントメッセージと制御文メッセージが出力されます。",
  };
  for (const char* line : kUsageLines) platform::WriteConsoleLine(line);
}

}  // namespace cli
