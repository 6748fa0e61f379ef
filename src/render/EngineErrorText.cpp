#include "EngineErrorText.h"

namespace render {
namespace {

struct ErrorText {
  std::int32_t code;
  const char* text;
};

// The texts keep the engine's own wording, including its quirks: 102 and 105
// read alike, and so do 202 and 204.
constexpr ErrorText kErrorTexts[] = {
    {100, "100:その他のエラー"},
    {101, "101:メモリ不足"},
    {102, "102:音声記号列に未定義の読み記号が指定された"},
    {103, "103:韻律データの時間長がマイナスなっている"},
    {104, "104:内部エラー(未定義の区切りコード検出）"},
    {105, "105:音声記号列に未定義の読み記号が指定された"},
    {106, "106:音声記号列のタグの指定が正しくない"},
    {107, "107:タグの長さが制限を越えている（または[>]がみつからない）"},
    {108, "108:タグ内の値の指定が正しくない"},
    {109, "109:WAVE 再生ができない（サウンドドライバ関連の問題）"},
    {110, "110:WAVE 再生ができない（サウンドドライバ関連の問題 非同期再生）"},
    {111, "111:発声すべきデータがない"},
    {200, "200:音声記号列が長すぎる"},
    {201, "201:１つのフレーズ中の読み記号が多すぎる"},
    {202, "202:音声記号列が長い（内部バッファオーバー1）"},
    {203, "203:ヒープメモリ不足"},
    {204, "204:音声記号列が長い（内部バッファオーバー1）"},
};

}  // namespace

std::string EngineErrorText(std::int32_t code) {
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.code == code) return entry.text;
  }
  return {};
}

}  // namespace render
