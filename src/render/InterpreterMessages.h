// The lines the statement interpreter prints.
#pragma once

namespace render {

inline constexpr const char* kBaseSpeedLabel = "【基本速度】";
inline constexpr const char* kRelativeSpeedLabel = "【相対速度】";
inline constexpr const char* kBaseVolumeLabel = "【基本音量】";
inline constexpr const char* kRelativeVolumeLabel = "【相対音量】";
inline constexpr const char* kMessageLevelLabel = "【相対出力】";
inline constexpr const char* kControlMessagesOn = "制御文メッセージを出力します。";
inline constexpr const char* kAllMessagesOn = "コメントメッセージと制御文メッセージを出力します。";
inline constexpr const char* kPhoneticTextLabel = "【音声記号】";
inline constexpr const char* kEngineErrorLabel = "【DllError】";

}  // namespace render
