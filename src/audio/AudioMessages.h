// The lines wave output prints.
#pragma once

namespace audio {

inline constexpr const char* kOutputFileFailedOpen = "出力ファイル「";
inline constexpr const char* kOutputFileFailedClose = "」が生成できません。";
inline constexpr const char* kWaveWriteFailed = "WAVEファイルの書き込みに失敗しました。";

}  // namespace audio
