// The lines the driver prints.
#pragma once

namespace cli {

inline constexpr const char* kNothingToRead = "読み上げ対象が存在しません。";
inline constexpr const char* kWaveInputRefused =
    "拡張子が「WAV」のファイルは入力ファイルとして使用することがきません。";
inline constexpr const char* kNoInputBuffer = "音声記号格納バッファの確保に失敗しました。";
inline constexpr const char* kReadFailedOpen = "「";
inline constexpr const char* kReadFailedClose = "」の読み込みに失敗しました。";

}  // namespace cli
