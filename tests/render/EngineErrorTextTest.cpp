// The console texts of the engine's error codes, byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "TestSupport.h"
#include "render/EngineErrorText.h"

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(EngineErrorTextTest, KnownCodes) {
  const struct {
    std::int32_t code;
    const char8_t* text;
  } cases[] = {
      {100, u8"100:その他のエラー"},
      {101, u8"101:メモリ不足"},
      {102, u8"102:音声記号列に未定義の読み記号が指定された"},
      {103, u8"103:韻律データの時間長がマイナスなっている"},
      {104, u8"104:内部エラー(未定義の区切りコード検出）"},
      {105, u8"105:音声記号列に未定義の読み記号が指定された"},
      {106, u8"106:音声記号列のタグの指定が正しくない"},
      {107, u8"107:タグの長さが制限を越えている（または[>]がみつからない）"},
      {108, u8"108:タグ内の値の指定が正しくない"},
      {109, u8"109:WAVE 再生ができない（サウンドドライバ関連の問題）"},
      {110, u8"110:WAVE 再生ができない（サウンドドライバ関連の問題 非同期再生）"},
      {111, u8"111:発声すべきデータがない"},
      {200, u8"200:音声記号列が長すぎる"},
      {201, u8"201:１つのフレーズ中の読み記号が多すぎる"},
      {202, u8"202:音声記号列が長い（内部バッファオーバー1）"},
      {203, u8"203:ヒープメモリ不足"},
      {204, u8"204:音声記号列が長い（内部バッファオーバー1）"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(render::EngineErrorText(c.code), testsupport::Cp932(Utf8(c.text))) << c.code;
  }
}

TEST(EngineErrorTextTest, OtherCodesHaveNoText) {
  for (std::int32_t code : {0, 44, 99, 112, 199, 205, 1000, -1, -202, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(render::EngineErrorText(code), "") << code;
  }
}

}  // namespace
